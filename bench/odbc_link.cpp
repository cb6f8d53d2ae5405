#include "odbc_link.h"

#include <stdexcept>

namespace quorlin::bench {
namespace {

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

void CheckHandle(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle, const char* what) {
  if (!Succeeded(ret)) throw std::runtime_error(what + Diagnostics(type, handle));
}

}  // namespace

OdbcLink::OdbcLink(const std::string& connect) {
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_environment))) {
    throw std::runtime_error("SQLAllocHandle(ENV) failed");
  }
  try {
    CheckHandle(
        SQLSetEnvAttr(m_environment, SQL_ATTR_ODBC_VERSION, AttributeValue(SQL_OV_ODBC3), 0),
        SQL_HANDLE_ENV, m_environment, "SQLSetEnvAttr(ODBC_VERSION)");
    CheckHandle(SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &m_connection), SQL_HANDLE_ENV,
                m_environment, "SQLAllocHandle(DBC)");
    std::string text = connect;
    Check(SQLDriverConnect(m_connection, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                           static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                           SQL_DRIVER_NOPROMPT),
          "SQLDriverConnect");
  } catch (...) {
    if (m_connection != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
    SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
    throw;
  }
}

OdbcLink::~OdbcLink() {
  SQLDisconnect(m_connection);
  SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
  SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

void OdbcLink::Check(SQLRETURN ret, const char* what) const {
  CheckHandle(ret, SQL_HANDLE_DBC, m_connection, what);
}

OdbcStatement::OdbcStatement(const OdbcLink& link) {
  link.Check(SQLAllocHandle(SQL_HANDLE_STMT, link.Connection(), &m_handle), "SQLAllocHandle(STMT)");
}

OdbcStatement::~OdbcStatement() {
  SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
}

void OdbcStatement::Check(SQLRETURN ret, const char* what) const {
  CheckHandle(ret, SQL_HANDLE_STMT, m_handle, what);
}

void OdbcStatement::RequestStaticCursor() const {
  SQLSetStmtAttr(m_handle, SQL_ATTR_CONCURRENCY, AttributeValue(SQL_CONCUR_READ_ONLY), 0);
  Check(SQLSetStmtAttr(m_handle, SQL_ATTR_CURSOR_TYPE, AttributeValue(SQL_CURSOR_STATIC), 0),
        "SQLSetStmtAttr(CURSOR_TYPE)");
}

void OdbcStatement::ExecDirect(const std::string& sql) const {
  std::string text = sql;  // SQLExecDirect takes a non-constant text
  Check(SQLExecDirect(m_handle, reinterpret_cast<SQLCHAR*>(text.data()),
                      static_cast<SQLINTEGER>(text.size())),
        sql.c_str());
}

}  // namespace quorlin::bench
