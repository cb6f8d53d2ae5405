#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace quorlin::platform {

class OdbcHandle;
class OdbcEnvironment;

// One ODBC connection. Failures throw CDBException with the driver's diagnostic text.
class CDatabase {
 public:
  // Open options.
  static constexpr unsigned noOdbcDialog = 8;
  static constexpr unsigned forceOdbcDialog = 16;

  CDatabase();
  ~CDatabase();
  CDatabase(const CDatabase&) = delete;
  CDatabase& operator=(const CDatabase&) = delete;

  // noOdbcDialog: connect without any dialog (true when connected, false when the driver
  // manager connected nothing and reported no error). forceOdbcDialog: let the operator
  // compose the connection in a dialog (false when cancelled); throws
  // DialogUnavailableError where no dialog can be shown.
  bool OpenEx(const std::string& connect, unsigned options);
  bool IsOpen() const;
  // True only when the driver says the link to the server is lost, so that every statement
  // on it can only fail. Costs no more than the driver's own check; a driver that cannot
  // tell, and a database that is not open, count as alive.
  // A connection whose driver ran out of memory counts as dead, without asking the driver.
  bool IsConnectionDead() const noexcept;
  // True once the driver reported running out of memory on this connection or a statement
  // of it: nothing but closing is done with it from then on.
  bool DriverOutOfMemory() const noexcept;
  // Has flag set as well when the driver reports running out of memory on this connection,
  // for as long as it stays open; flag must outlive it.
  void AlsoMarkOutOfMemory(bool* flag) noexcept;
  // One cheap round trip to the server (SELECT 1): false when it failed and the driver then
  // reports the connection dead. Some drivers (psqlODBC) learn of a lost server only when a
  // statement fails.
  bool SurvivesRoundTrip() noexcept;
  // When the connection was last named by a caller, for the check before reuse.
  void MarkUsed() noexcept { m_lastUsed = std::chrono::steady_clock::now(); }
  bool IdleLongerThan(std::chrono::steady_clock::duration bound) const noexcept {
    return std::chrono::steady_clock::now() - m_lastUsed > bound;
  }
  // The database product as the driver names it ("PostgreSQL", "SQLite", "MariaDB", ...);
  // empty when the driver does not say.
  std::string DbmsName() const;
  void Close() noexcept;

  // "ODBC;" followed by the completed connect string the driver manager returned.
  std::string GetConnect() const;
  // The connect string exactly as this database was opened with.
  const std::string& OpenedWith() const { return m_openedWith; }

  // Runs a statement and discards any result it produces.
  void ExecuteSQL(const std::string& sql);
  // Runs one statement of the library's own making that returns no rows (INSERT, UPDATE,
  // DELETE, CREATE, DROP), without the driver calls that draining results takes.
  void ExecuteStatement(const std::string& sql);

  const OdbcHandle& Connection() const;

 private:
  const OdbcHandle& ReusableStatement();
  // SQLExecDirect on the reusable statement; throws on failure.
  short ExecDirect(const std::string& sql);

  std::shared_ptr<OdbcEnvironment> m_environment;
  std::unique_ptr<OdbcHandle> m_connection;
  std::unique_ptr<OdbcHandle> m_statement;  // reused by ExecuteSQL
  std::string m_connect;
  std::string m_openedWith;
  std::chrono::steady_clock::time_point m_lastUsed = std::chrono::steady_clock::now();
};

}  // namespace quorlin::platform
