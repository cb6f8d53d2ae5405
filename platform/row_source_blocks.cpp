#include "platform/row_source_blocks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/db_exception.h"

namespace quorlin::platform {
namespace {

// Rows per block: walks stop getting faster beyond a few hundred rows, and a block this size
// stays small beside the driver's own copy of the result.
constexpr SQLULEN kRowsPerBlock = 500;
constexpr SQLULEN kFewestRowsPerBlock = 16;
constexpr std::size_t kMostBlockBytes = std::size_t{1} << 20;
// Bound buffer per value: room for the column's display size in UTF-8, within these limits.
// A longer value is read alone, in pieces, like every value on the row-by-row path.
constexpr std::size_t kNarrowestValue = 32;
constexpr std::size_t kWidestValue = 512;
constexpr std::size_t kBytesPerCharacter = 4;
// Every value starts on a cache line: copies out of values at odd addresses (and the drivers'
// copies into them) measured up to three times slower.
constexpr std::size_t kValueAlignment = 64;

std::size_t AlignedUp(std::size_t bytes) {
  return (bytes + kValueAlignment - 1) / kValueAlignment * kValueAlignment;
}

SQLPOINTER AttributeValue(SQLULEN value) {
  return reinterpret_cast<SQLPOINTER>(value);
}

bool SetRowsetShape(const OdbcHandle& statement, SQLULEN rows, SQLUSMALLINT* status,
                    SQLULEN* fetched) {
  return Succeeded(
             SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_ARRAY_SIZE, AttributeValue(rows), 0)) &&
         Succeeded(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_STATUS_PTR, status, 0)) &&
         Succeeded(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROWS_FETCHED_PTR, fetched, 0));
}

}  // namespace

std::vector<long> StatedRowCounts(const OdbcHandle& statement) {
  std::vector<long> counts;
  SQLLEN cursorRows = -1;
  if (Succeeded(SQLGetDiagField(SQL_HANDLE_STMT, statement.Get(), 0, SQL_DIAG_CURSOR_ROW_COUNT,
                                &cursorRows, 0, nullptr))) {
    counts.push_back(static_cast<long>(cursorRows));
  }
  SQLLEN rowCount = -1;
  if (Succeeded(SQLRowCount(statement.Get(), &rowCount))) {
    counts.push_back(static_cast<long>(rowCount));
  }
  return counts;
}

BlockRowSource::BlockRowSource(OdbcHandle statement, std::size_t columns, std::string sql,
                               std::vector<long> statedCounts)
    : m_statement(std::move(statement)),
      m_columnCount(columns),
      m_sql(std::move(sql)),
      m_statedCounts(std::move(statedCounts)) {}

std::size_t BlockRowSource::ChooseLayout() {
  std::size_t rowBytes = 0;
  m_columns.resize(m_columnCount);
  for (std::size_t i = 0; i < m_columnCount; ++i) {
    SQLLEN display = 0;
    if (!Succeeded(SQLColAttribute(m_statement.Get(), static_cast<SQLUSMALLINT>(i + 1),
                                   SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr, &display)) ||
        display <= 0 || static_cast<SQLULEN>(display) > kWidestValue) {
      display = static_cast<SQLLEN>(kWidestValue);
    }
    const std::size_t bytes = static_cast<std::size_t>(display) * kBytesPerCharacter;
    m_columns[i].width = AlignedUp(std::clamp(bytes, kNarrowestValue, kWidestValue) + 1);
    rowBytes += m_columns[i].width + sizeof(SQLLEN);
  }
  const std::size_t fits = kMostBlockBytes / std::max<std::size_t>(rowBytes, 1);
  return std::clamp<std::size_t>(fits, kFewestRowsPerBlock, kRowsPerBlock);
}

bool BlockRowSource::BindColumns() {
  for (std::size_t i = 0; i < m_columns.size(); ++i) {
    Column& column = m_columns[i];
    if (!Succeeded(SQLBindCol(m_statement.Get(), static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR,
                              column.values, static_cast<SQLLEN>(column.width),
                              column.lengths.get()))) {
      return false;
    }
  }
  return true;
}

void BlockRowSource::Unbind() noexcept {
  SQLFreeStmt(m_statement.Get(), SQL_UNBIND);
}

bool BlockRowSource::Start() {
  const std::size_t rows = ChooseLayout();
  if (!Succeeded(
          SQLSetStmtAttr(m_statement.Get(), SQL_ATTR_ROW_ARRAY_SIZE, AttributeValue(rows), 0))) {
    return false;
  }
  // A driver may grant fewer rows than asked (01S02); one row per block is no block at all.
  SQLULEN granted = 1;
  SQLGetStmtAttr(m_statement.Get(), SQL_ATTR_ROW_ARRAY_SIZE, &granted, 0, nullptr);
  if (granted < 2 || granted > rows) return false;
  m_rowsetSize = granted;
  for (Column& column : m_columns) {
    column.storage.reset(new char[m_rowsetSize * column.width + kValueAlignment - 1]);
    const auto address = reinterpret_cast<std::uintptr_t>(column.storage.get());
    column.values = column.storage.get() + (AlignedUp(address) - address);
    column.lengths.reset(new SQLLEN[m_rowsetSize]);
    column.firstValue.reset(new char[column.width]);
  }
  m_status.reset(new SQLUSMALLINT[m_rowsetSize]);
  if (!SetRowsetShape(m_statement, m_rowsetSize, m_status.get(), &m_fetched) || !BindColumns()) {
    return false;
  }
  try {
    FetchBlock(1);
  } catch (const CDBException&) {
    // Nothing more may be asked of a driver that ran out of memory.
    if (m_statement.OutOfMemory()) throw;
    return false;  // the row-by-row path fetches again and reports what is really wrong
  }
  return true;
}

OdbcHandle BlockRowSource::GiveBack() {
  Unbind();
  SetRowsetShape(m_statement, 1, nullptr, nullptr);
  return std::move(m_statement);
}

bool BlockRowSource::Fetch(SQLSMALLINT orientation, SQLLEN offset) {
  switch (orientation) {
    case SQL_FETCH_FIRST:
      return MoveTo(1, false);
    case SQL_FETCH_LAST:
      return MoveTo(Size(), true);
    case SQL_FETCH_NEXT:
      return MoveTo(m_position + 1, false);
    case SQL_FETCH_PRIOR:
      return MoveTo(m_position - 1, true);
    case SQL_FETCH_ABSOLUTE:
      if (offset >= 0) return MoveTo(static_cast<long>(offset), false);
      return MoveTo(Size() + 1 + static_cast<long>(offset), true);
    default:
      throw CDBException("Fetch orientation not supported.", {}, m_sql);
  }
}

bool BlockRowSource::MoveTo(long row, bool backwards) {
  m_rowRead = false;
  if (row < 1) {
    m_position = 0;
    return false;
  }
  if (m_size && row > *m_size) {
    m_position = *m_size + 1;
    return false;
  }
  // Moving backwards, the block ends on the row, so that the next moves back need no fetch.
  const long start = backwards ? std::max(1L, row - static_cast<long>(m_rowsetSize) + 1) : row;
  if (!Holds(row) && (!FetchBlock(start) || !Holds(row))) {
    m_position = Size() + 1;
    return false;
  }
  m_position = row;
  return true;
}

bool BlockRowSource::FetchBlock(long start) {
  RequireUsable(m_statement);
  // Some drivers reach an absolute row by stepping from the first one (MariaDB's does), which
  // makes a walk quadratic: the block right after the cursor's rowset is its next rowset.
  const bool follows =
      m_cursorStart != 0 && start == m_cursorStart + static_cast<long>(m_rowsetSize);
  m_blockStart = m_blockRows = 0;
  m_cursorStart = 0;
  const SQLRETURN ret = follows ? SQLFetchScroll(m_statement.Get(), SQL_FETCH_NEXT, 0)
                                : SQLFetchScroll(m_statement.Get(), SQL_FETCH_ABSOLUTE, start);
  ThrowIfFailed(ret, m_statement, m_sql);
  const long rows = ret == SQL_NO_DATA ? 0 : static_cast<long>(m_fetched);
  NoteRows(start, rows);
  if (rows == 0) return false;
  m_cursorStart = start;
  m_blockStart = start;
  m_blockRows = rows;
  return true;
}

void BlockRowSource::NoteRows(long start, long rows) {
  if (rows > 0) m_lastPresent = std::max(m_lastPresent, start + rows - 1);
  // A block stops short only at the end of the result.
  if (rows < static_cast<long>(m_rowsetSize)) {
    const long absent = start + rows;
    if (!m_firstAbsent || absent < *m_firstAbsent) m_firstAbsent = absent;
  }
  if (m_firstAbsent && *m_firstAbsent == m_lastPresent + 1) m_size = m_lastPresent;
}

long BlockRowSource::Size() {
  if (m_size) return *m_size;
  if (ConfirmStatedCount()) return *m_size;
  // No stated count holds: probe absolute positions, doubling until one lies beyond the end
  // and then halving the gap; every probe is a block, so a short one ends the search at once.
  while (!m_size) {
    const long probe = m_firstAbsent ? m_lastPresent + 1 + (*m_firstAbsent - m_lastPresent - 1) / 2
                       : m_lastPresent > std::numeric_limits<long>::max() / 2
                           ? std::numeric_limits<long>::max()
                           : 2 * m_lastPresent + 1;
    FetchBlock(probe);
  }
  return *m_size;
}

// A stated count n holds when the block at row n brings exactly one row: row n exists and the
// row after it does not. One absolute fetch of one row, whatever the size of the result.
bool BlockRowSource::ConfirmStatedCount() {
  std::vector<long> counts;
  counts.swap(m_statedCounts);  // each is tried once
  for (const long count : counts) {
    const bool possible =
        count >= std::max(m_lastPresent, 1L) && (!m_firstAbsent || count < *m_firstAbsent);
    if (!possible) continue;
    FetchBlock(count);
    if (m_size) return true;
  }
  return false;
}

const RowText& BlockRowSource::Row() {
  if (!m_rowRead) {
    // Something other than a move (confirming the size) may have replaced the block.
    if (!Holds(m_position) && !FetchBlock(m_position)) {
      throw CDBException("No current record.", {}, m_sql);
    }
    if (!ViewsOfBlockRow(static_cast<std::size_t>(m_position - m_blockStart))) {
      ReadAlone(m_position);
    }
    m_rowRead = true;
  }
  return m_row;
}

// The row's values as views into the block; false when one did not fit its buffer or the
// driver could not convert the row.
bool BlockRowSource::ViewsOfBlockRow(std::size_t index) {
  if (m_status[index] == SQL_ROW_ERROR) return false;
  std::string_view* views = m_row.ViewSlots(m_columns.size());
  for (const Column& column : m_columns) {
    if (!CameWhole(column, index)) return false;
    *views++ = BlockValue(column, index);
  }
  return true;
}

// Fetches the row by itself with nothing bound and reads it value by value, as the
// row-by-row path does; the block's buffers keep their rows meanwhile.
void BlockRowSource::ReadAlone(long row) {
  RequireUsable(m_statement);
  // Binding a column again makes SQLite's driver clear the length of the block's first row:
  // that row is kept aside and put back.
  for (Column& column : m_columns) {
    column.firstLength = column.lengths[0];
    std::memcpy(column.firstValue.get(), column.values, column.width);
  }
  Unbind();
  m_cursorStart = 0;  // the cursor leaves the block for the row
  try {
    if (!SetRowsetShape(m_statement, 1, nullptr, &m_fetched)) {
      throw CDBException("The driver cannot fetch a single row.", {}, m_sql);
    }
    const SQLRETURN ret = SQLFetchScroll(m_statement.Get(), SQL_FETCH_ABSOLUTE, row);
    ThrowIfFailed(ret, m_statement, m_sql);
    if (ret == SQL_NO_DATA) throw CDBException("No current record.", {}, m_sql);
    ReadRow(m_statement, m_columnCount, m_row);
  } catch (...) {
    RestoreBlockShape();
    throw;
  }
  RestoreBlockShape();
}

void BlockRowSource::RestoreBlockShape() {
  if (m_statement.OutOfMemory()) return;  // the failure that said so goes on up
  const bool bound =
      SetRowsetShape(m_statement, m_rowsetSize, m_status.get(), &m_fetched) && BindColumns();
  for (Column& column : m_columns) {
    column.lengths[0] = column.firstLength;
    std::memcpy(column.values, column.firstValue.get(), column.width);
  }
  if (!bound) {
    m_blockStart = m_blockRows = 0;
    throw CDBException("The driver refused to fetch blocks of rows again.", {}, m_sql);
  }
}

std::unique_ptr<RowSource> OpenCursorRows(OdbcHandle statement, std::size_t columns,
                                          const std::string& sql, std::vector<long> statedCounts) {
  auto blocks =
      std::make_unique<BlockRowSource>(std::move(statement), columns, sql, std::move(statedCounts));
  if (blocks->Start()) return blocks;
  return std::make_unique<CursorRowSource>(blocks->GiveBack(), columns, sql);
}

}  // namespace quorlin::platform
