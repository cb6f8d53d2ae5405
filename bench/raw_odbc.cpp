#include "raw_odbc.h"

#include <malloc.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace quorlin::bench {
namespace {

constexpr SQLLEN kValueSize = 128;  // the library's SQLGet slot

bool Succeeded(SQLRETURN ret) {
  return ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO;
}

std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::string text;
  SQLCHAR state[6] = {0};
  SQLCHAR message[1024] = {0};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  for (SQLSMALLINT i = 1; SQLGetDiagRec(type, handle, i, state, &native, message, sizeof message,
                                        &length) == SQL_SUCCESS;
       ++i) {
    text += std::string(" [") + reinterpret_cast<const char*>(state) + "] " +
            reinterpret_cast<const char*>(message);
  }
  return text;
}

void CheckResult(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle, const char* what) {
  if (!Succeeded(ret)) throw std::runtime_error(what + Diagnostics(type, handle));
}

// One statement handle, freed on every way out.
class Statement {
 public:
  explicit Statement(SQLHDBC connection) {
    CheckResult(SQLAllocHandle(SQL_HANDLE_STMT, connection, &m_handle), SQL_HANDLE_DBC, connection,
                "SQLAllocHandle(STMT)");
  }
  ~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, m_handle); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  SQLHSTMT Get() const { return m_handle; }
  void Check(SQLRETURN ret, const char* what) const {
    CheckResult(ret, SQL_HANDLE_STMT, m_handle, what);
  }

 private:
  SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

SQLPOINTER AttributeValue(SQLULEN value) {
  return reinterpret_cast<SQLPOINTER>(value);
}

// The same cursor the library asks for; SQLite answers the concurrency with 01S02.
void ExecuteOnStaticCursor(const Statement& statement, const std::string& sql) {
  SQLSetStmtAttr(statement.Get(), SQL_ATTR_CONCURRENCY, AttributeValue(SQL_CONCUR_READ_ONLY), 0);
  statement.Check(
      SQLSetStmtAttr(statement.Get(), SQL_ATTR_CURSOR_TYPE, AttributeValue(SQL_CURSOR_STATIC), 0),
      "SQLSetStmtAttr(CURSOR_TYPE)");
  std::string text = sql;
  statement.Check(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                static_cast<SQLINTEGER>(text.size())),
                  "SQLExecDirect(SELECT)");
}

// Column-wise bound text buffers for blocks of rows.
struct BlockBuffers {
  BlockBuffers(const Statement& statement, int columns, int rowsetSize)
      : rows(static_cast<std::size_t>(rowsetSize)),
        values(static_cast<std::size_t>(columns) * rows * kValueSize),
        lengths(static_cast<std::size_t>(columns) * rows),
        status(rows) {
    statement.Check(
        SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_ARRAY_SIZE, AttributeValue(rows), 0),
        "SQLSetStmtAttr(ROW_ARRAY_SIZE)");
    statement.Check(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0),
                    "SQLSetStmtAttr(ROWS_FETCHED_PTR)");
    statement.Check(SQLSetStmtAttr(statement.Get(), SQL_ATTR_ROW_STATUS_PTR, status.data(), 0),
                    "SQLSetStmtAttr(ROW_STATUS_PTR)");
    for (int c = 0; c < columns; ++c) {
      statement.Check(SQLBindCol(statement.Get(), static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR,
                                 Value(c, 0), kValueSize, &lengths[Index(c, 0)]),
                      "SQLBindCol");
    }
  }
  std::size_t Index(int column, std::size_t row) const {
    return static_cast<std::size_t>(column) * rows + row;
  }
  char* Value(int column, std::size_t row) {
    return values.data() + Index(column, row) * kValueSize;
  }

  std::size_t rows;
  std::vector<char> values;
  std::vector<SQLLEN> lengths;
  std::vector<SQLUSMALLINT> status;
  SQLULEN fetched = 0;
};

}  // namespace

RawConnection::RawConnection(const std::string& connect) {
  SQLHENV environment = SQL_NULL_HENV;
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment))) {
    throw std::runtime_error("SQLAllocHandle(ENV) failed");
  }
  m_environment = environment;
  CheckResult(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, AttributeValue(SQL_OV_ODBC3), 0),
              SQL_HANDLE_ENV, environment, "SQLSetEnvAttr(ODBC_VERSION)");
  SQLHDBC connection = SQL_NULL_HDBC;
  CheckResult(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection), SQL_HANDLE_ENV, environment,
              "SQLAllocHandle(DBC)");
  m_connection = connection;
  std::string text = connect;
  CheckResult(SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                               static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                               SQL_DRIVER_NOPROMPT),
              SQL_HANDLE_DBC, connection, "SQLDriverConnect");
}

RawConnection::~RawConnection() {
  // A failed connect leaves a handle that was never connected; SQLDisconnect then only
  // reports an error.
  if (m_connection != nullptr) {
    SQLDisconnect(m_connection);
    SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
  }
  if (m_environment != nullptr) SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

void RawConnection::Execute(const std::string& sql) {
  Statement statement(m_connection);
  std::string text = sql;
  statement.Check(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                static_cast<SQLINTEGER>(text.size())),
                  sql.c_str());
}

void RawConnection::ExecuteEach(const std::vector<std::string>& texts) {
  Statement statement(m_connection);
  std::string text;
  for (const std::string& sql : texts) {
    text = sql;  // SQLExecDirect takes a non-constant text
    statement.Check(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                  static_cast<SQLINTEGER>(text.size())),
                    sql.c_str());
  }
}

std::string RawConnection::QueryValue(const std::string& sql) {
  Statement statement(m_connection);
  std::string text = sql;
  statement.Check(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                static_cast<SQLINTEGER>(text.size())),
                  sql.c_str());
  statement.Check(SQLFetch(statement.Get()), "SQLFetch");
  char value[kValueSize] = {0};
  SQLLEN indicator = 0;
  statement.Check(SQLGetData(statement.Get(), 1, SQL_C_CHAR, value, sizeof value, &indicator),
                  "SQLGetData");
  return indicator == SQL_NULL_DATA ? std::string() : std::string(value);
}

void RawConnection::CreateBenchTable(const std::string& table, long rows) {
  try {
    Execute("DROP TABLE " + table);  // a server's table from an earlier run
  } catch (const std::runtime_error&) {
  }
  Execute("CREATE TABLE " + table + " (ID INTEGER, Tag CHAR(20), Level FLOAT)");
  CheckResult(
      SQLSetConnectAttr(m_connection, SQL_ATTR_AUTOCOMMIT, AttributeValue(SQL_AUTOCOMMIT_OFF), 0),
      SQL_HANDLE_DBC, m_connection, "SQLSetConnectAttr(AUTOCOMMIT_OFF)");
  {
    Statement insert(m_connection);
    std::string text = "INSERT INTO " + table + " (ID, Tag, Level) VALUES (?, ?, ?)";
    insert.Check(SQLPrepare(insert.Get(), reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS),
                 "SQLPrepare(INSERT)");
    SQLINTEGER id = 0;
    char tag[32] = {0};  // room for any long; the values stay within CHAR(20)
    double level = 0;
    SQLLEN tagLength = SQL_NTS;
    insert.Check(SQLBindParameter(insert.Get(), 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                  &id, 0, nullptr),
                 "SQLBindParameter(ID)");
    insert.Check(SQLBindParameter(insert.Get(), 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, 20, 0,
                                  tag, sizeof tag, &tagLength),
                 "SQLBindParameter(Tag)");
    insert.Check(SQLBindParameter(insert.Get(), 3, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0,
                                  &level, 0, nullptr),
                 "SQLBindParameter(Level)");
    for (long i = 1; i <= rows; ++i) {
      id = static_cast<SQLINTEGER>(i);
      std::snprintf(tag, sizeof tag, "tag-%08ld", i);
      level = static_cast<double>(i) * 0.25;
      insert.Check(SQLExecute(insert.Get()), "SQLExecute(INSERT)");
    }
  }
  CheckResult(SQLEndTran(SQL_HANDLE_DBC, m_connection, SQL_COMMIT), SQL_HANDLE_DBC, m_connection,
              "SQLEndTran(COMMIT)");
  SQLSetConnectAttr(m_connection, SQL_ATTR_AUTOCOMMIT, AttributeValue(SQL_AUTOCOMMIT_ON), 0);
}

WalkResult RawConnection::WalkStaticCursor(const std::string& sql, int columns) {
  WalkResult result;
  auto statement = std::make_unique<Statement>(m_connection);
  result.selectTime += TimeOf([&] { ExecuteOnStaticCursor(*statement, sql); });
  std::vector<char> values(static_cast<std::size_t>(columns) * kValueSize);
  for (;;) {
    const SQLRETURN ret = SQLFetchScroll(statement->Get(), SQL_FETCH_NEXT, 0);
    if (ret == SQL_NO_DATA) break;
    statement->Check(ret, "SQLFetchScroll(NEXT)");
    for (int c = 0; c < columns; ++c) {
      char* value = values.data() + static_cast<std::size_t>(c) * kValueSize;
      SQLLEN indicator = 0;
      statement->Check(SQLGetData(statement->Get(), static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR,
                                  value, kValueSize, &indicator),
                       "SQLGetData");
      if (indicator == SQL_NULL_DATA) value[0] = '\0';
      result.checksum += static_cast<unsigned char>(value[0]);
    }
    if (++result.records == 1) result.firstId = values.data();
  }
  if (result.records > 0) result.lastId = values.data();
  result.selectTime += TimeOf([&] { statement.reset(); });
  return result;
}

WalkResult RawConnection::WalkStaticCursorInBlocks(const std::string& sql, int columns,
                                                   int rowsetSize, BlockValues values) {
  WalkResult result;
  auto statement = std::make_unique<Statement>(m_connection);
  result.selectTime += TimeOf([&] { ExecuteOnStaticCursor(*statement, sql); });
  BlockBuffers block(*statement, columns, rowsetSize);
  const bool copied = values == BlockValues::kCopiedIntoSlots;
  // One row's slots, reused from row to row as a host reuses its SQLGet buffer.
  std::vector<char> slots(static_cast<std::size_t>(columns) * kSlotSize);
  for (;;) {
    const SQLRETURN ret = SQLFetchScroll(statement->Get(), SQL_FETCH_NEXT, 0);
    if (ret == SQL_NO_DATA) break;
    statement->Check(ret, "SQLFetchScroll(NEXT, block)");
    for (std::size_t row = 0; row < block.fetched; ++row) {
      for (int c = 0; c < columns; ++c) {
        char* value = block.Value(c, row);
        if (block.lengths[block.Index(c, row)] == SQL_NULL_DATA) value[0] = '\0';
        if (copied) {
          char* slot = slots.data() + static_cast<std::size_t>(c) * kSlotSize;
          CopyIntoSlot(slot, value);
          value = slot;
        }
        result.checksum += static_cast<unsigned char>(value[0]);
      }
      if (++result.records == 1) {
        result.firstId = copied ? SlotValue(slots.data()) : std::string(block.Value(0, row));
      }
    }
    if (block.fetched > 0 && !copied) result.lastId = block.Value(0, block.fetched - 1);
  }
  if (copied && result.records > 0) result.lastId = SlotValue(slots.data());
  result.selectTime += TimeOf([&] { statement.reset(); });
  return result;
}

long RawConnection::HeapOfResult(const std::string& sql, int columns) {
  const long before = HeapInUse();
  Statement statement(m_connection);
  ExecuteOnStaticCursor(statement, sql);
  BlockBuffers block(statement, columns, 1);
  statement.Check(SQLFetchScroll(statement.Get(), SQL_FETCH_NEXT, 0), "SQLFetchScroll(NEXT)");
  return HeapInUse() - before;
}

long HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);
}

}  // namespace quorlin::bench
