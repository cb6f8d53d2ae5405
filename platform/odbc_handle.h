#pragma once

// ODBC plumbing shared by CDatabase and CRecordset; only platform/ sees the ODBC headers.
#if defined(_WIN32)
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <string>

namespace quorlin::platform {

// Owns exactly one ODBC handle and frees it on destruction.
class OdbcHandle {
 public:
  OdbcHandle() = default;
  OdbcHandle(SQLSMALLINT type, SQLHANDLE handle) : m_type(type), m_handle(handle) {}
  ~OdbcHandle() { Reset(); }
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;
  OdbcHandle(OdbcHandle&& other) noexcept : m_type(other.m_type), m_handle(other.m_handle) {
    other.m_handle = SQL_NULL_HANDLE;
  }
  OdbcHandle& operator=(OdbcHandle&& other) noexcept;

  SQLHANDLE Get() const { return m_handle; }
  SQLSMALLINT Type() const { return m_type; }
  explicit operator bool() const { return m_handle != SQL_NULL_HANDLE; }
  void Reset() noexcept;

 private:
  SQLSMALLINT m_type = 0;
  SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

// The process's one ODBC environment. Every connection holds a reference, so the
// environment outlives the last connection whatever order static objects die in.
class OdbcEnvironment {
 public:
  static std::shared_ptr<OdbcEnvironment> Shared();
  SQLHENV Get() const { return m_env.Get(); }

 private:
  OdbcEnvironment();
  OdbcHandle m_env;
};

// Allocates a child handle of parent, or throws CDBException with the parent's diagnostics.
OdbcHandle AllocateHandle(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent);
inline OdbcHandle AllocateHandle(SQLSMALLINT type, const OdbcHandle& parent) {
  return AllocateHandle(type, parent.Type(), parent.Get());
}

bool Succeeded(SQLRETURN ret);

// The SQLSTATE of the first diagnostic record of handle; empty when there is none.
std::string DiagnosticState(const OdbcHandle& handle);

// Turns a failed SQLRETURN into CDBException carrying the diagnostic records of handle.
// SQL_SUCCESS, SQL_SUCCESS_WITH_INFO and SQL_NO_DATA pass.
[[noreturn]] void ThrowDiagnostics(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle,
                                   const std::string& statement);
inline void ThrowIfFailed(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle,
                          const std::string& statement = {}) {
  if (ret != SQL_SUCCESS && ret != SQL_SUCCESS_WITH_INFO && ret != SQL_NO_DATA) {
    ThrowDiagnostics(ret, type, handle, statement);
  }
}
inline void ThrowIfFailed(SQLRETURN ret, const OdbcHandle& handle,
                          const std::string& statement = {}) {
  ThrowIfFailed(ret, handle.Type(), handle.Get(), statement);
}

}  // namespace quorlin::platform
