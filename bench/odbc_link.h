#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace quorlin::bench {

// One driver-manager connection of its own, without the library, for the raw paths that need
// the handles themselves (block fetch, prepared statements). Failures throw
// std::runtime_error with the driver's diagnostics.
class OdbcLink {
 public:
  explicit OdbcLink(const std::string& connect);
  ~OdbcLink();
  OdbcLink(const OdbcLink&) = delete;
  OdbcLink& operator=(const OdbcLink&) = delete;

  SQLHDBC Connection() const { return m_connection; }
  void Check(SQLRETURN ret, const char* what) const;

 private:
  SQLHENV m_environment = SQL_NULL_HENV;
  SQLHDBC m_connection = SQL_NULL_HDBC;
};

// One statement handle of a link, freed on every way out.
class OdbcStatement {
 public:
  explicit OdbcStatement(const OdbcLink& link);
  ~OdbcStatement();
  OdbcStatement(const OdbcStatement&) = delete;
  OdbcStatement& operator=(const OdbcStatement&) = delete;

  SQLHSTMT Get() const { return m_handle; }
  void Check(SQLRETURN ret, const char* what) const;
  // The static read-only cursor the library asks for (SQLite answers the concurrency with
  // 01S02, which is success).
  void RequestStaticCursor() const;
  void ExecDirect(const std::string& sql) const;

 private:
  SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

inline SQLPOINTER AttributeValue(SQLULEN value) {
  return reinterpret_cast<SQLPOINTER>(value);
}

}  // namespace quorlin::bench
