#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/row_source.h"

namespace quorlin::platform {

// The counts a driver states for the result that statement has just produced, read before
// any other call on it. Drivers differ in which one they fill and some state a wrong one,
// so none of them is believed until the cursor confirms it.
std::vector<long> StatedRowCounts(const OdbcHandle& statement);

// The rows of a static cursor, read in blocks: the driver converts a block of rows into bound
// text buffers with one call, and moves within the block cost no driver call at all. Every
// block is fetched by its absolute position, so the source always knows where it stands;
// the size is learnt from a block that comes back short, from a stated count once confirmed,
// or by probing absolute positions.
class BlockRowSource : public RowSource {
 public:
  BlockRowSource(OdbcHandle statement, std::size_t columns, std::string sql,
                 std::vector<long> statedCounts);
  // Binds the buffers and fetches the first block; false when the driver refuses any of it.
  bool Start();
  // After a refused Start: the statement as it was given, nothing bound, one row per fetch.
  OdbcHandle GiveBack();

  bool Fetch(SQLSMALLINT orientation, SQLLEN offset) override;
  const RowText& Row() override;
  std::optional<long> KnownSize() override { return Size(); }
  bool InMemory() const override { return false; }

  // What a walk does at nearly every record, without a driver call or a virtual one.
  //
  // Moves step rows when that row is in the block in the buffers; false, having done nothing,
  // when it takes a fetch.
  bool StepWithinBlock(long step) {
    const long row = m_position + step;
    if (row < 1 || !Holds(row)) return false;
    m_position = row;
    m_rowRead = false;
    return true;
  }
  // Copies the values of count columns of the current row into consecutive slots of slotSize
  // bytes (CopyIntoSlot) straight from the block; false when the row has to be read another
  // way (Row()), the slots then holding anything.
  bool CopyFromBlock(const int* columns, std::size_t count, char* slots,
                     std::size_t slotSize) const {
    if (!Holds(m_position)) return false;
    const auto index = static_cast<std::size_t>(m_position - m_blockStart);
    if (m_status[index] == SQL_ROW_ERROR) return false;
    for (std::size_t i = 0; i < count; ++i) {
      const Column& column = m_columns[static_cast<std::size_t>(columns[i])];
      if (!CameWhole(column, index)) return false;
      // Drivers end a value with a zero byte in its buffer; where one did, a single strncpy
      // reads no further than that byte.
      const std::string_view value = BlockValue(column, index);
      char* slot = slots + i * slotSize;
      if (value.data() != nullptr && value.data()[value.size()] == '\0') {
        CopyTerminatedIntoSlot(value.data(), slot, slotSize);
      } else {
        CopyIntoSlot(value, slot, slotSize);
      }
    }
    return true;
  }

 private:
  struct Column {
    std::size_t width = 0;  // bytes per value, terminator included
    std::unique_ptr<char[]> storage;
    char* values = nullptr;  // within storage, aligned
    std::unique_ptr<SQLLEN[]> lengths;
    // The block's first row while a row is read by itself.
    std::unique_ptr<char[]> firstValue;
    SQLLEN firstLength = 0;
  };

  std::size_t ChooseLayout();
  bool BindColumns();
  void Unbind() noexcept;
  bool Holds(long row) const { return row >= m_blockStart && row < m_blockStart + m_blockRows; }
  bool MoveTo(long row, bool backwards);
  bool FetchBlock(long start);
  void NoteRows(long start, long rows);
  long Size();
  bool ConfirmStatedCount();
  bool ViewsOfBlockRow(std::size_t index);
  // Whether value i of a column came whole into its buffer.
  static bool CameWhole(const Column& column, std::size_t index) {
    const SQLLEN length = column.lengths[index];
    return length != SQL_NO_TOTAL && length < static_cast<SQLLEN>(column.width);
  }
  // A value that came whole into its buffer. A driver's length is trusted only within the
  // buffer it filled.
  static std::string_view BlockValue(const Column& column, std::size_t index) {
    const SQLLEN length = column.lengths[index];
    if (length == SQL_NULL_DATA) return {};
    const char* value = column.values + index * column.width;
    return {value,
            length >= 0 ? static_cast<std::size_t>(length) : strnlen(value, column.width - 1)};
  }
  void ReadAlone(long row);
  void RestoreBlockShape();

  OdbcHandle m_statement;
  std::size_t m_columnCount;
  std::string m_sql;
  std::vector<Column> m_columns;
  SQLULEN m_rowsetSize = 0;
  std::unique_ptr<SQLUSMALLINT[]> m_status;
  SQLULEN m_fetched = 0;  // written by the driver at every fetch
  long m_blockStart = 0;  // the first row of the block in the buffers; 0 when there is none
  long m_blockRows = 0;
  long m_cursorStart = 0;  // the first row of the driver's current rowset; 0 when unknown
  long m_position = 0;     // 0 before the first row, size + 1 after the last
  // What is known of the size: the last row seen to exist, the first seen not to, and the
  // size itself once those meet or a block came back short.
  long m_lastPresent = 0;
  std::optional<long> m_firstAbsent;
  std::optional<long> m_size;
  std::vector<long> m_statedCounts;
  RowText m_row;
  bool m_rowRead = false;
};

// A static cursor's rows in blocks where the driver allows it, else one row per fetch.
std::unique_ptr<RowSource> OpenCursorRows(OdbcHandle statement, std::size_t columns,
                                          const std::string& sql, std::vector<long> statedCounts);

}  // namespace quorlin::platform
