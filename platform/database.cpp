#include "platform/database.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/connection_dialog.h"
#include "platform/db_exception.h"
#include "platform/odbc_handle.h"

namespace quorlin::platform {

CDatabase::CDatabase() : m_environment(OdbcEnvironment::Shared()) {}

CDatabase::~CDatabase() {
  Close();
}

bool CDatabase::OpenEx(const std::string& connect, unsigned options) {
  Close();
  // The driver manager takes the length as a 16-bit count.
  if (connect.size() > 32767) throw CDBException("The connect string is longer than 32767 bytes.");
  auto connection = std::make_unique<OdbcHandle>(
      AllocateHandle(SQL_HANDLE_DBC, SQL_HANDLE_ENV, m_environment->Get()));
  std::string completed;
  SQLRETURN ret = SQL_ERROR;
  if (options & forceOdbcDialog) {
    ret = DriverConnectWithDialog(*connection, connect, completed);
  } else {
    std::vector<SQLCHAR> out(16384);
    SQLSMALLINT outLength = 0;
    std::string in = connect;
    ret = SQLDriverConnect(connection->Get(), nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                           static_cast<SQLSMALLINT>(in.size()), out.data(),
                           static_cast<SQLSMALLINT>(out.size()), &outLength, SQL_DRIVER_NOPROMPT);
    if (Succeeded(ret)) {
      const std::size_t length =
          std::min<std::size_t>(static_cast<std::size_t>(outLength), out.size() - 1);
      completed.assign(reinterpret_cast<const char*>(out.data()), length);
    }
  }
  if (ret == SQL_NO_DATA) return false;
  ThrowIfFailed(ret, *connection);
  m_connection = std::move(connection);
  m_connect = "ODBC;" + completed;
  m_openedWith = connect;
  return true;
}

bool CDatabase::IsOpen() const {
  return m_connection && *m_connection;
}

bool CDatabase::IsConnectionDead() const noexcept {
  if (!IsOpen()) return false;
  // Not even asked: MariaDB's driver crashes on this call once it ran out of memory.
  if (m_connection->OutOfMemory()) return true;
  SQLUINTEGER dead = SQL_CD_FALSE;
  const SQLRETURN ret = SQLGetConnectAttr(m_connection->Get(), SQL_ATTR_CONNECTION_DEAD, &dead,
                                          SQL_IS_UINTEGER, nullptr);
  return Succeeded(ret) && dead == SQL_CD_TRUE;
}

bool CDatabase::DriverOutOfMemory() const noexcept {
  return m_connection && m_connection->OutOfMemory();
}

void CDatabase::AlsoMarkOutOfMemory(bool* flag) noexcept {
  if (m_connection && m_connection->Health()) m_connection->Health()->alsoMark = flag;
  if (flag != nullptr && DriverOutOfMemory()) *flag = true;
}

bool CDatabase::SurvivesRoundTrip() noexcept {
  try {
    ExecuteSQL("SELECT 1");
    return true;
  } catch (...) {
    // A refusal of the text itself (a database that wants FROM) is not a lost server.
    return !IsConnectionDead();
  }
}

std::string CDatabase::DbmsName() const {
  if (!IsOpen()) return {};
  char name[128] = {};
  SQLSMALLINT length = 0;
  const SQLRETURN ret = SQLGetInfo(m_connection->Get(), SQL_DBMS_NAME, name,
                                   static_cast<SQLSMALLINT>(sizeof name), &length);
  return Succeeded(ret) ? std::string(name, strnlen(name, sizeof name - 1)) : std::string();
}

void CDatabase::Close() noexcept {
  m_statement.reset();  // before its connection
  m_connection.reset();
  m_connect.clear();
  m_openedWith.clear();
}

std::string CDatabase::GetConnect() const {
  return m_connect;
}

const OdbcHandle& CDatabase::ReusableStatement() {
  if (!m_statement) {
    m_statement = std::make_unique<OdbcHandle>(AllocateHandle(SQL_HANDLE_STMT, *m_connection));
  }
  return *m_statement;
}

// One statement handle serves every statement: allocating one per call cost more than a
// short INSERT itself.
SQLRETURN CDatabase::ExecDirect(const std::string& sql) {
  if (!IsOpen()) throw CDBException("The database is not open.", {}, sql);
  if (sql.size() > 0x7FFFFFFF) throw CDBException("The statement is too long.", {}, sql);
  RequireUsable(*m_connection);
  const OdbcHandle& statement = ReusableStatement();
  // The driver manager does not change the text; its interface just lacks the const.
  auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data()));
  const auto length = static_cast<SQLINTEGER>(sql.size());
  SQLRETURN ret = SQLExecDirect(statement.Get(), text, length);
  if (ret == SQL_ERROR && DiagnosticState(statement) == "24000") {
    // A statement of the library's own making left rows behind (its table name said more
    // than a name): close them and run this one.
    SQLFreeStmt(statement.Get(), SQL_CLOSE);
    ret = SQLExecDirect(statement.Get(), text, length);
  }
  ThrowIfFailed(ret, statement, sql);
  return ret;
}

void CDatabase::ExecuteSQL(const std::string& sql) {
  const SQLRETURN ret = ExecDirect(sql);
  const OdbcHandle& statement = *m_statement;
  struct CloseCursor {
    SQLHSTMT handle;
    ~CloseCursor() { SQLFreeStmt(handle, SQL_CLOSE); }
  } closeCursor{statement.Get()};
  // Some drivers report errors of later statements of a batch only while results are drained.
  SQLRETURN more = SQL_SUCCESS;
  while (Succeeded(ret) && Succeeded(more = SQLMoreResults(statement.Get()))) {
  }
  if (more != SQL_NO_DATA) ThrowIfFailed(more, statement, sql);
}

void CDatabase::ExecuteStatement(const std::string& sql) {
  ExecDirect(sql);
}

const OdbcHandle& CDatabase::Connection() const {
  if (!IsOpen()) throw CDBException("The database is not open.");
  return *m_connection;
}

}  // namespace quorlin::platform
