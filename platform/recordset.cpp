#include "platform/recordset.h"

#include <algorithm>
#include <cstring>

#include "platform/database.h"
#include "platform/db_exception.h"
#include "platform/row_source.h"
#include "platform/row_source_blocks.h"
#include "platform/text.h"

namespace quorlin::platform {
namespace {

// ODBC takes a name buffer's size as a 16-bit count, so no name can come back longer.
constexpr SQLSMALLINT kLongestNameBuffer = 32767;

// Asks read for a name into ever larger buffers until the name fits. Drivers differ in what
// they say about a name that does not fit: some report its whole length, others (SQLite's)
// report what they copied, so a name that fills the buffer is read again in a larger one.
template <typename ReadInto>
std::string ReadName(ReadInto read) {
  std::string name(512, '\0');
  for (;;) {
    SQLSMALLINT length = 0;
    const SQLSMALLINT size = static_cast<SQLSMALLINT>(name.size());
    if (!read(reinterpret_cast<SQLCHAR*>(name.data()), size, &length)) return {};
    const bool filled = length >= size - 1;
    if (!filled || size == kLongestNameBuffer) {
      name.resize(std::strlen(name.c_str()));
      return name;
    }
    const std::size_t larger =
        std::max<std::size_t>(std::size_t{2} * name.size(), static_cast<std::size_t>(length) + 1);
    name.assign(std::min<std::size_t>(larger, kLongestNameBuffer), '\0');
  }
}

std::string ColumnName(const OdbcHandle& statement, SQLUSMALLINT column) {
  return ReadName([&](SQLCHAR* buffer, SQLSMALLINT size, SQLSMALLINT* length) {
    SQLSMALLINT type = 0;
    SQLULEN columnSize = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    ThrowIfFailed(SQLDescribeCol(statement.Get(), column, buffer, size, length, &type, &columnSize,
                                 &digits, &nullable),
                  statement);
    return true;
  });
}

std::string BaseTableName(const OdbcHandle& statement, SQLUSMALLINT column) {
  return ReadName([&](SQLCHAR* buffer, SQLSMALLINT size, SQLSMALLINT* length) {
    return Succeeded(SQLColAttribute(statement.Get(), column, SQL_DESC_BASE_TABLE_NAME, buffer,
                                     size, length, nullptr));
  });
}

// The one table all columns come from, or empty.
std::string CommonTableName(const OdbcHandle& statement, std::size_t columns) {
  std::string common;
  for (std::size_t i = 0; i < columns; ++i) {
    const std::string name = BaseTableName(statement, static_cast<SQLUSMALLINT>(i + 1));
    if (name.empty() || (i > 0 && name != common)) return {};
    common = name;
  }
  return common;
}

// The viewer pages backwards and hosts move to any position, so the cursor must scroll; a
// static read-only cursor is the snapshot every driver here offers. A driver that refuses
// it gets its rows kept in memory instead.
bool RequestStaticCursor(const OdbcHandle& statement) {
  SQLSetStmtAttr(statement.Get(), SQL_ATTR_CONCURRENCY,
                 reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_CONCUR_READ_ONLY)), 0);
  const SQLRETURN ret =
      SQLSetStmtAttr(statement.Get(), SQL_ATTR_CURSOR_TYPE,
                     reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_CURSOR_STATIC)), 0);
  if (!Succeeded(ret)) return false;
  SQLULEN granted = SQL_CURSOR_FORWARD_ONLY;
  SQLGetStmtAttr(statement.Get(), SQL_ATTR_CURSOR_TYPE, &granted, 0, nullptr);
  return granted != SQL_CURSOR_FORWARD_ONLY;
}

constexpr std::size_t kWordSize = sizeof(std::uint64_t);

}  // namespace

CRecordset::CRecordset(CDatabase* database) : m_database(database) {}

CRecordset::~CRecordset() {
  Close();
}

bool CRecordset::Open(unsigned /*openType*/, const std::string& sql, unsigned options) {
  Close();
  m_sql = sql;
  if (m_database == nullptr) throw CDBException("The recordset has no database.", {}, sql);
  OdbcHandle statement = AllocateHandle(SQL_HANDLE_STMT, m_database->Connection());
  const bool scrolls = !(options & keepRowsInMemory) && RequestStaticCursor(statement);
  std::string text = sql;
  ThrowIfFailed(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()),
                              static_cast<SQLINTEGER>(text.size())),
                statement, sql);
  // Read before any other call on the statement can clear them.
  std::vector<long> statedCounts = scrolls ? StatedRowCounts(statement) : std::vector<long>{};
  SQLSMALLINT columns = 0;
  ThrowIfFailed(SQLNumResultCols(statement.Get(), &columns), statement, sql);
  std::vector<std::string> names;
  for (SQLSMALLINT i = 1; i <= columns; ++i) names.push_back(ColumnName(statement, i));
  std::string tableName = CommonTableName(statement, static_cast<std::size_t>(columns));

  std::unique_ptr<RowSource> rows;
  if (columns == 0) {
    rows = std::make_unique<MemoryRowSource>(statement, 0, sql);  // not a query: no rows
  } else if (scrolls) {
    rows = OpenCursorRows(std::move(statement), static_cast<std::size_t>(columns), sql,
                          std::move(statedCounts));
  } else {
    rows = std::make_unique<MemoryRowSource>(statement, static_cast<std::size_t>(columns), sql);
  }
  const bool onRow = columns > 0 && rows->Fetch(SQL_FETCH_FIRST, 1);
  m_rows = std::move(rows);
  m_blocks = dynamic_cast<BlockRowSource*>(m_rows.get());
  m_fieldNames = std::move(names);
  m_tableName = std::move(tableName);
  m_bof = m_eof = !onRow;
  return true;
}

void CRecordset::Close() noexcept {
  m_blocks = nullptr;
  m_rows.reset();
  m_lookupKeys.clear();
  m_lookupIndices.clear();
}

void CRecordset::RequireOpen() const {
  if (!IsOpen()) throw CDBException("The recordset is not open.", {}, m_sql);
}

void CRecordset::ThrowNoRecord() const {
  RequireOpen();
  throw CDBException(kNoCurrentRecord, {}, m_sql);
}

void CRecordset::Move(long rows, unsigned short fetchType) {
  // Nearly every move of a walk stays on a record and within the block in the buffers.
  if (m_blocks != nullptr && !m_bof && !m_eof &&
      ((fetchType == fetchNext && m_blocks->StepWithinBlock(1)) ||
       (fetchType == fetchPrior && m_blocks->StepWithinBlock(-1)))) {
    return;
  }
  RequireOpen();
  if ((fetchType == fetchNext && m_eof) || (fetchType == fetchPrior && m_bof)) {
    throw CDBException(kPastEnd, {}, m_sql);
  }
  if (fetchType < fetchNext || fetchType > fetchAbsolute) {
    throw CDBException("Fetch orientation not supported.", {}, m_sql);
  }
  const bool empty = m_bof && m_eof;
  const bool onRow = m_rows->Fetch(static_cast<SQLSMALLINT>(fetchType), rows);
  if (onRow) {
    m_bof = m_eof = false;
    return;
  }
  if (empty) return;
  const bool beforeStart = fetchType == fetchPrior || (fetchType == fetchAbsolute && rows <= 0);
  const bool wholeResultGone = fetchType == fetchFirst || fetchType == fetchLast;
  m_bof = beforeStart || wholeResultGone;
  m_eof = !beforeStart || wholeResultGone;
}

const std::string& CRecordset::GetFieldName(int index) const {
  if (index < 0 || index >= GetODBCFieldCount()) {
    throw CDBException("Field index out of range.", {}, m_sql);
  }
  return m_fieldNames[static_cast<std::size_t>(index)];
}

int CRecordset::FieldIndex(const std::string& name) const {
  for (std::size_t i = 0; i < m_fieldNames.size(); ++i) {
    if (m_fieldNames[i] == name) return static_cast<int>(i);
  }
  // Servers fold unquoted names (PostgreSQL to lower case): accept any ASCII case.
  for (std::size_t i = 0; i < m_fieldNames.size(); ++i) {
    if (MbsIEqual(m_fieldNames[i], name)) return static_cast<int>(i);
  }
  throw CDBException("Field '" + QuotedInMessage(name) + "' not found in the result.", {}, m_sql);
}

const RowText& CRecordset::CurrentRow() {
  RequireRecord();
  return m_rows->Row();
}

void CRecordset::CopyCurrentValues(const std::vector<int>& columns, char* slots,
                                   std::size_t slotSize) {
  RequireRecord();
  if (m_blocks != nullptr &&
      m_blocks->CopyFromBlock(columns.data(), columns.size(), slots, slotSize)) {
    return;
  }
  const RowText& row = m_rows->Row();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    CopyIntoSlot(row[static_cast<std::size_t>(columns[i])], slots + i * slotSize, slotSize);
  }
}

std::string CRecordset::GetFieldValue(int index) {
  GetFieldName(index);  // range check
  return std::string(CurrentRow()[static_cast<std::size_t>(index)]);
}

std::string CRecordset::GetFieldValue(const std::string& name) {
  RequireRecord();
  return std::string(CurrentRow()[static_cast<std::size_t>(FieldIndex(name))]);
}

CRecordset::FieldKey CRecordset::MakeFieldKey(std::string_view name, std::size_t width) {
  FieldKey key;
  key.bytes.assign(name.data(), name.size());
  if (name.size() < width) key.bytes.push_back('\0');
  const std::size_t inHead = std::min(key.bytes.size(), kWordSize);
  // Built from bytes, so that they pick the same bytes whatever the byte order.
  char head[kWordSize] = {0};
  unsigned char mask[kWordSize] = {0};
  std::memcpy(head, key.bytes.data(), inHead);
  std::memset(mask, 0xFF, inHead);
  std::memcpy(&key.head, head, kWordSize);
  std::memcpy(&key.headMask, mask, kWordSize);
  return key;
}

const std::vector<int>& CRecordset::ResolveFieldIndices(const char* first, std::size_t stride,
                                                        std::size_t width, std::size_t count) {
  std::vector<FieldKey> keys;
  std::vector<int> indices;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view name = FixedFieldView(first + i * stride, width);
    indices.push_back(FieldIndex(std::string(name)));
    keys.push_back(MakeFieldKey(name, width));
  }
  m_lookupKeys = std::move(keys);
  m_lookupIndices = std::move(indices);
  return m_lookupIndices;
}

std::optional<long> CRecordset::KnownRecordCount() {
  if (!IsOpen()) return std::nullopt;
  if (m_bof && m_eof) return 0L;
  return m_rows->KnownSize();
}

bool CRecordset::KeepsRowsInMemory() const {
  return IsOpen() && m_rows->InMemory();
}

}  // namespace quorlin::platform
