#include "platform/odbc_handle.h"

#include <vector>

#include "platform/db_exception.h"

namespace quorlin::platform {

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
  if (this != &other) {
    Reset();
    m_type = other.m_type;
    m_handle = other.m_handle;
    m_health = std::move(other.m_health);
    other.m_handle = SQL_NULL_HANDLE;
  }
  return *this;
}

void OdbcHandle::Reset() noexcept {
  if (m_handle == SQL_NULL_HANDLE) return;
  if (m_type == SQL_HANDLE_DBC) SQLDisconnect(m_handle);  // harmless when not connected
  SQLFreeHandle(m_type, m_handle);
  m_handle = SQL_NULL_HANDLE;
}

std::shared_ptr<OdbcEnvironment> OdbcEnvironment::Shared() {
  static std::weak_ptr<OdbcEnvironment> current;
  std::shared_ptr<OdbcEnvironment> env = current.lock();
  if (!env) {
    env.reset(new OdbcEnvironment());
    current = env;
  }
  return env;
}

OdbcEnvironment::OdbcEnvironment() {
  SQLHANDLE env = SQL_NULL_HANDLE;
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
    throw CDBException("The ODBC driver manager could not allocate an environment.");
  }
  m_env = OdbcHandle(SQL_HANDLE_ENV, env);
  ThrowIfFailed(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION,
                              reinterpret_cast<SQLPOINTER>(static_cast<SQLLEN>(SQL_OV_ODBC3)), 0),
                m_env);
}

OdbcHandle AllocateHandle(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent) {
  SQLHANDLE handle = SQL_NULL_HANDLE;
  ThrowIfFailed(SQLAllocHandle(type, parent, &handle), parentType, parent);
  return OdbcHandle(type, handle,
                    type == SQL_HANDLE_DBC ? std::make_shared<LinkHealth>() : nullptr);
}

OdbcHandle AllocateHandle(SQLSMALLINT type, const OdbcHandle& parent) {
  RequireUsable(parent);
  SQLHANDLE handle = SQL_NULL_HANDLE;
  ThrowIfFailed(SQLAllocHandle(type, parent.Get(), &handle), parent);
  return OdbcHandle(type, handle, parent.Health());
}

void RequireUsable(const OdbcHandle& handle) {
  if (handle.OutOfMemory()) {
    throw CDBException("The connection was closed: its ODBC driver ran out of memory.");
  }
}

bool MeansOutOfMemory(const std::string& state, const std::string& message) {
  if (state == "HY001" || state == "S1001") return true;
  if (state != "HY000") return false;
  std::string lower = message;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower.find("out of memory") != std::string::npos;
}

bool Succeeded(SQLRETURN ret) {
  return ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO;
}

std::string DiagnosticState(const OdbcHandle& handle) {
  SQLCHAR state[6] = {0};
  SQLINTEGER native = 0;
  SQLCHAR message[8];
  SQLSMALLINT length = 0;
  const SQLRETURN ret = SQLGetDiagRec(handle.Type(), handle.Get(), 1, state, &native, message,
                                      sizeof message, &length);
  return Succeeded(ret) ? std::string(reinterpret_cast<const char*>(state)) : std::string();
}

void ThrowDiagnostics(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle,
                      const std::string& statement, LinkHealth* health) {
  std::string text;
  std::string firstState;
  std::vector<SQLCHAR> message(1024);
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN diag = SQLGetDiagRec(type, handle, record, state, &native, message.data(),
                                         static_cast<SQLSMALLINT>(message.size()), &length);
    if (!Succeeded(diag)) break;
    if (length >= static_cast<SQLSMALLINT>(message.size())) {
      message.resize(static_cast<std::size_t>(length) + 1);
      --record;  // read the same record again into the larger buffer
      continue;
    }
    const std::string recordState(reinterpret_cast<const char*>(state));
    const std::string recordText(reinterpret_cast<const char*>(message.data()),
                                 static_cast<std::size_t>(length));
    if (firstState.empty()) firstState = recordState;
    if (health != nullptr && MeansOutOfMemory(recordState, recordText)) {
      health->outOfMemory = true;
      if (health->alsoMark != nullptr) *health->alsoMark = true;
    }
    if (!text.empty()) text += '\n';
    text += recordText;
  }
  if (text.empty()) {
    text = ret == SQL_INVALID_HANDLE ? "Invalid ODBC handle."
                                     : "The ODBC call failed without a diagnostic message.";
  }
  throw CDBException(std::move(text), std::move(firstState), statement);
}

}  // namespace quorlin::platform
