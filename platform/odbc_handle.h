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

// What a driver has said of one connection, shared by its handle and its statements' handles.
struct LinkHealth {
  // The driver ran out of memory on it. Drivers are not safe to call after that (MariaDB's
  // crashes on the next call of the connection, psqlODBC keeps a half-read result), so only
  // freeing its handles remains.
  bool outOfMemory = false;
  // Set too when outOfMemory is, so that whoever keeps the connection need not ask each one.
  bool* alsoMark = nullptr;
};

// Owns exactly one ODBC handle and frees it on destruction.
class OdbcHandle {
 public:
  OdbcHandle() = default;
  OdbcHandle(SQLSMALLINT type, SQLHANDLE handle, std::shared_ptr<LinkHealth> health = nullptr)
      : m_type(type), m_handle(handle), m_health(std::move(health)) {}
  ~OdbcHandle() { Reset(); }
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;
  OdbcHandle(OdbcHandle&& other) noexcept
      : m_type(other.m_type), m_handle(other.m_handle), m_health(std::move(other.m_health)) {
    other.m_handle = SQL_NULL_HANDLE;
  }
  OdbcHandle& operator=(OdbcHandle&& other) noexcept;

  SQLHANDLE Get() const { return m_handle; }
  SQLSMALLINT Type() const { return m_type; }
  explicit operator bool() const { return m_handle != SQL_NULL_HANDLE; }
  void Reset() noexcept;

  // The health of the connection this handle belongs to; null for the environment.
  const std::shared_ptr<LinkHealth>& Health() const { return m_health; }
  // True once the driver reported running out of memory on this handle's connection.
  bool OutOfMemory() const { return m_health && m_health->outOfMemory; }

 private:
  SQLSMALLINT m_type = 0;
  SQLHANDLE m_handle = SQL_NULL_HANDLE;
  std::shared_ptr<LinkHealth> m_health;
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

// Allocates a child handle of parent, or throws CDBException with the parent's diagnostics. A
// connection handle starts its own LinkHealth.
OdbcHandle AllocateHandle(SQLSMALLINT type, SQLSMALLINT parentType, SQLHANDLE parent);
// A statement handle shares the health of its connection; none is allocated on a connection
// that is out of memory.
OdbcHandle AllocateHandle(SQLSMALLINT type, const OdbcHandle& parent);

// Throws CDBException, calling nothing of the driver, when handle's connection is out of memory.
void RequireUsable(const OdbcHandle& handle);

bool Succeeded(SQLRETURN ret);

// The SQLSTATE of the first diagnostic record of handle; empty when there is none.
std::string DiagnosticState(const OdbcHandle& handle);

// Turns a failed SQLRETURN into CDBException carrying the diagnostic records of handle.
// SQL_SUCCESS, SQL_SUCCESS_WITH_INFO and SQL_NO_DATA pass. When the records say the driver ran
// out of memory, health (when given) is marked so.
[[noreturn]] void ThrowDiagnostics(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle,
                                   const std::string& statement, LinkHealth* health = nullptr);
inline void ThrowIfFailed(SQLRETURN ret, SQLSMALLINT type, SQLHANDLE handle,
                          const std::string& statement = {}) {
  if (ret != SQL_SUCCESS && ret != SQL_SUCCESS_WITH_INFO && ret != SQL_NO_DATA) {
    ThrowDiagnostics(ret, type, handle, statement);
  }
}
inline void ThrowIfFailed(SQLRETURN ret, const OdbcHandle& handle,
                          const std::string& statement = {}) {
  if (ret != SQL_SUCCESS && ret != SQL_SUCCESS_WITH_INFO && ret != SQL_NO_DATA) {
    ThrowDiagnostics(ret, handle.Type(), handle.Get(), statement, handle.Health().get());
  }
}

// True when a diagnostic record says the driver itself ran out of memory: the standard's
// SQLSTATE for it (HY001, S1001 in ODBC 2), or a general error (HY000) in those words, which
// is how MariaDB's driver ("Client run out of memory") and libpq under psqlODBC report it.
bool MeansOutOfMemory(const std::string& state, const std::string& message);

}  // namespace quorlin::platform
