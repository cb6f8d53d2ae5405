#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/odbc_handle.h"
#include "platform/row_text.h"

namespace quorlin::platform {

// Where a recordset's rows come from: a scrollable driver cursor, or memory. Fetch follows
// SQLFetchScroll with a rowset of one row: true when it stands on a row, false when the
// move left the result (before the first or after the last row).
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual bool Fetch(SQLSMALLINT orientation, SQLLEN offset) = 0;
  // The values of the row fetched last; NULL as the empty text.
  virtual const RowText& Row() = 0;
  // The number of rows when it is known or can be learnt without reading them all.
  virtual std::optional<long> KnownSize() = 0;
  virtual bool InMemory() const = 0;
};

// Reads every column of the current row of statement into values, in column order, as
// drivers that allow each column only once and in ascending order require.
void ReadRow(const OdbcHandle& statement, std::size_t columns, RowText& values);

class CursorRowSource : public RowSource {
 public:
  CursorRowSource(OdbcHandle statement, std::size_t columns, std::string sql);
  bool Fetch(SQLSMALLINT orientation, SQLLEN offset) override;
  const RowText& Row() override;
  std::optional<long> KnownSize() override { return m_size; }
  bool InMemory() const override { return false; }

 private:
  void Track(SQLSMALLINT orientation, SQLLEN offset, bool onRow);

  OdbcHandle m_statement;
  std::size_t m_columns;
  std::string m_sql;
  RowText m_row;
  bool m_rowRead = false;
  // Position (0 before the first row, size + 1 after the last) and size, when known.
  std::optional<long> m_position;
  std::optional<long> m_size;
};

class MemoryRowSource : public RowSource {
 public:
  // Reads all rows of statement with forward-only fetches.
  MemoryRowSource(const OdbcHandle& statement, std::size_t columns, const std::string& sql);
  bool Fetch(SQLSMALLINT orientation, SQLLEN offset) override;
  const RowText& Row() override;
  std::optional<long> KnownSize() override { return static_cast<long>(m_rows.size()); }
  bool InMemory() const override { return true; }

 private:
  std::vector<RowText> m_rows;
  long m_position = 0;  // 0 before the first row, size + 1 after the last
};

}  // namespace quorlin::platform
