#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/row_text.h"

namespace quorlin::platform {

class BlockRowSource;
class CDatabase;
class RowSource;

// A read-only snapshot of a query result that scrolls first / prior / next / last /
// absolute on every driver.
//
// BOF and EOF: an empty result has both set. Moving past either end sets the flag of that
// end; a further move in the same direction throws CDBException, and so does reading a
// field while the recordset stands on no record or is closed.
class CRecordset {
 public:
  // Open types and options.
  static constexpr unsigned snapshot = 1;
  static constexpr unsigned readOnly = 4;
  // Keep every row in memory instead of scrolling a driver cursor; used by itself for a
  // driver that cannot scroll.
  static constexpr unsigned keepRowsInMemory = 0x10000;

  // Fetch orientations, as ODBC numbers them.
  static constexpr unsigned short fetchNext = 1;
  static constexpr unsigned short fetchFirst = 2;
  static constexpr unsigned short fetchLast = 3;
  static constexpr unsigned short fetchPrior = 4;
  static constexpr unsigned short fetchAbsolute = 5;

  // What a read on no record and a move beyond an end fail with. A walk ends on both, so
  // callers may report them for an open recordset without the cost of an exception.
  static constexpr char kNoCurrentRecord[] = "No current record.";
  static constexpr char kPastEnd[] = "Attempt to scroll past end or before beginning of data.";

  explicit CRecordset(CDatabase* database);
  ~CRecordset();
  CRecordset(const CRecordset&) = delete;
  CRecordset& operator=(const CRecordset&) = delete;

  // Runs sql and stands on the first record. Throws CDBException on failure.
  bool Open(unsigned openType, const std::string& sql, unsigned options);
  bool IsOpen() const { return m_rows != nullptr; }
  void Close() noexcept;

  const std::string& GetSQL() const { return m_sql; }
  bool IsBOF() const { return m_bof; }
  bool IsEOF() const { return m_eof; }

  void Move(long rows, unsigned short fetchType);
  void MoveFirst() { Move(1, fetchFirst); }
  void MoveNext() { Move(1, fetchNext); }
  void MovePrev() { Move(-1, fetchPrior); }
  void MoveLast() { Move(-1, fetchLast); }

  int GetODBCFieldCount() const { return static_cast<int>(m_fieldNames.size()); }
  const std::string& GetFieldName(int index) const;
  // Field values as text; NULL gives the empty text.
  std::string GetFieldValue(int index);
  std::string GetFieldValue(const std::string& name);
  int FieldIndex(const std::string& name) const;
  // The values of the current record in column order, valid until the next move or close.
  const RowText& CurrentRow();
  // Copies the current record's values of columns (indices) into consecutive slots of slotSize
  // bytes, as CopyIntoSlot does. Throws as CurrentRow does; the slots then hold anything.
  void CopyCurrentValues(const std::vector<int>& columns, char* slots, std::size_t slotSize);
  // Column indices of count names kept in fixed fields of width bytes, stride bytes apart
  // (a name fills its field when it has no terminator). Hosts read the same fields of every
  // record, so the list asked for last is remembered.
  // Inline: the check runs at every record.
  const std::vector<int>& FieldIndices(const char* first, std::size_t stride, std::size_t width,
                                       std::size_t count) {
    bool same = m_lookupKeys.size() == count;
    for (std::size_t i = 0; same && i < count; ++i) {
      same = FieldHolds(first + i * stride, width, m_lookupKeys[i]);
    }
    return same ? m_lookupIndices : ResolveFieldIndices(first, stride, width, count);
  }

  // The table the columns come from; empty when they do not all come from one table.
  const std::string& GetTableName() const { return m_tableName; }

  // The number of records when it is known exactly without reading them all. Learning it may
  // fetch, but the recordset stays on its record.
  std::optional<long> KnownRecordCount();
  bool KeepsRowsInMemory() const;

 private:
  void RequireOpen() const;
  // Inline: every read of a walk passes here.
  void RequireRecord() const {
    if (m_rows == nullptr || m_bof || m_eof) ThrowNoRecord();
  }
  [[noreturn]] void ThrowNoRecord() const;

  CDatabase* m_database;
  std::unique_ptr<RowSource> m_rows;
  // m_rows when it reads blocks, for the moves and reads that need no driver call.
  BlockRowSource* m_blocks = nullptr;
  std::string m_sql;
  std::vector<std::string> m_fieldNames;
  std::string m_tableName;
  // What a host's fixed field holds for a name FieldIndices was asked for: the name and, when
  // it is shorter than the field, its terminator. Its first word is kept apart, so that
  // checking the names again at the next record takes one compare for a name of up to seven
  // characters.
  struct FieldKey {
    std::string bytes;
    std::uint64_t head = 0;      // the first 8 bytes, zero-padded
    std::uint64_t headMask = 0;  // which of them count
  };
  static FieldKey MakeFieldKey(std::string_view name, std::size_t width);
  // The slow part of FieldIndices, apart so that the check at every record stays small.
  const std::vector<int>& ResolveFieldIndices(const char* first, std::size_t stride,
                                              std::size_t width, std::size_t count);
  static bool FieldHolds(const char* field, std::size_t width, const FieldKey& key) {
    const std::size_t size = key.bytes.size();
    if (width < sizeof key.head) return std::memcmp(field, key.bytes.data(), size) == 0;
    std::uint64_t head = 0;
    std::memcpy(&head, field, sizeof head);
    return ((head ^ key.head) & key.headMask) == 0 &&
           (size <= sizeof head || std::memcmp(field + sizeof head, key.bytes.data() + sizeof head,
                                               size - sizeof head) == 0);
  }

  // The names FieldIndices was asked for last, and their columns.
  std::vector<FieldKey> m_lookupKeys;
  std::vector<int> m_lookupIndices;
  bool m_bof = true;
  bool m_eof = true;
};

}  // namespace quorlin::platform
