#include "platform/row_source.h"

#include <cstring>

#include "platform/db_exception.h"

namespace quorlin::platform {
namespace {

constexpr SQLLEN kChunk = 128;

// Appends the column's value to values, straight from the driver into the row's buffer.
void ReadColumn(const OdbcHandle& statement, SQLUSMALLINT column, RowText& values) {
  for (;;) {
    char* chunk = values.Reserve(kChunk);
    SQLLEN indicator = 0;
    const SQLRETURN ret =
        SQLGetData(statement.Get(), column, SQL_C_CHAR, chunk, kChunk, &indicator);
    if (ret == SQL_NO_DATA) break;
    ThrowIfFailed(ret, statement);
    if (indicator == SQL_NULL_DATA) break;  // some drivers leave the buffer untouched
    const bool more =
        ret == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || indicator >= kChunk);
    // A driver's length is trusted only within the buffer it filled.
    const std::size_t got = more ? kChunk - 1
                            : (indicator >= 0 && indicator < kChunk)
                                ? static_cast<std::size_t>(indicator)
                                : strnlen(chunk, kChunk - 1);
    values.Commit(got);
    if (!more) break;
  }
  values.EndValue();
}

}  // namespace

void ReadRow(const OdbcHandle& statement, std::size_t columns, RowText& values) {
  RequireUsable(statement);
  values.Clear();
  for (std::size_t i = 0; i < columns; ++i) {
    ReadColumn(statement, static_cast<SQLUSMALLINT>(i + 1), values);
  }
}

CursorRowSource::CursorRowSource(OdbcHandle statement, std::size_t columns, std::string sql)
    : m_statement(std::move(statement)), m_columns(columns), m_sql(std::move(sql)) {}

bool CursorRowSource::Fetch(SQLSMALLINT orientation, SQLLEN offset) {
  RequireUsable(m_statement);
  m_rowRead = false;
  const SQLRETURN ret = SQLFetchScroll(m_statement.Get(), orientation, offset);
  ThrowIfFailed(ret, m_statement, m_sql);
  const bool onRow = ret != SQL_NO_DATA;
  Track(orientation, offset, onRow);
  return onRow;
}

void CursorRowSource::Track(SQLSMALLINT orientation, SQLLEN offset, bool onRow) {
  const std::optional<long> unknown;
  switch (orientation) {
    case SQL_FETCH_FIRST:
      m_position = onRow ? 1L : 0L;
      if (!onRow) m_size = 0;
      break;
    case SQL_FETCH_LAST:
      if (!onRow) m_size = 0;
      m_position = onRow ? m_size : std::optional<long>(0L);
      break;
    case SQL_FETCH_NEXT:
      if (onRow) {
        m_position = m_position ? std::optional<long>(*m_position + 1) : unknown;
      } else {
        if (m_position) m_size = *m_position;
        m_position = m_size ? std::optional<long>(*m_size + 1) : unknown;
      }
      break;
    case SQL_FETCH_PRIOR:
      if (onRow) {
        m_position = m_position ? std::optional<long>(*m_position - 1) : unknown;
      } else {
        m_position = 0;
      }
      break;
    case SQL_FETCH_ABSOLUTE:
      if (onRow && offset > 0) {
        m_position = static_cast<long>(offset);
      } else if (onRow && m_size && *m_size + 1 + static_cast<long>(offset) >= 1) {
        m_position = *m_size + 1 + static_cast<long>(offset);
      } else {  // some drivers stand on the first row for offsets before the start
        m_position = unknown;
      }
      break;
    default:
      m_position = unknown;
  }
}

const RowText& CursorRowSource::Row() {
  if (!m_rowRead) {
    ReadRow(m_statement, m_columns, m_row);
    m_rowRead = true;
  }
  return m_row;
}

MemoryRowSource::MemoryRowSource(const OdbcHandle& statement, std::size_t columns,
                                 const std::string& sql) {
  for (;;) {
    const SQLRETURN ret = SQLFetch(statement.Get());
    if (ret == SQL_NO_DATA) break;
    ThrowIfFailed(ret, statement, sql);
    m_rows.emplace_back();
    ReadRow(statement, columns, m_rows.back());
    m_rows.back().ShrinkToFit();
  }
}

bool MemoryRowSource::Fetch(SQLSMALLINT orientation, SQLLEN offset) {
  const long size = static_cast<long>(m_rows.size());
  switch (orientation) {
    case SQL_FETCH_FIRST:
      m_position = size > 0 ? 1 : 0;
      break;
    case SQL_FETCH_LAST:
      m_position = size;
      break;
    case SQL_FETCH_NEXT:
      m_position = m_position > size ? size + 1 : m_position + 1;
      break;
    case SQL_FETCH_PRIOR:
      m_position = m_position < 1 ? 0 : m_position - 1;
      break;
    case SQL_FETCH_ABSOLUTE:
      if (offset > 0) {
        m_position = offset > size ? size + 1 : static_cast<long>(offset);
      } else if (offset < 0) {
        const long fromEnd = size + 1 + static_cast<long>(offset);
        m_position = fromEnd < 1 ? 0 : fromEnd;
      } else {
        m_position = 0;
      }
      break;
    default:
      throw CDBException("Fetch orientation not supported.");
  }
  return m_position >= 1 && m_position <= size;
}

const RowText& MemoryRowSource::Row() {
  return m_rows.at(static_cast<std::size_t>(m_position - 1));
}

}  // namespace quorlin::platform
