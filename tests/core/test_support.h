#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "quorlin.h"
#include "temp_dir.h"

namespace quorlin::test {

// The profile of the library this program is linked with, as its build tells it.
constexpr bool LegacyProfile() {
#ifdef QUORLIN_TEST_LEGACY_PROFILE
  return true;
#else
  return false;
#endif
}

// A database the behaviour tests run on.
struct Backend {
  std::string name;
  std::string connect;             // empty: not available here
  bool mysqlDialect = false;       // the library gives its connections the MySQL dialect
  bool padsChar = false;           // CHAR(n) values come back padded to n
  bool acceptsAggregates = false;  // accepts all six aggregate texts the library sends it
};

inline void PrintTo(const Backend& backend, std::ostream* out) {
  *out << backend.name;
}

// SQLite on a fresh file, and the servers whose connect strings the test script exported.
std::vector<Backend> AllBackends();
Backend SqliteBackend();
// MariaDB under the driver name that selects the MySQL dialect in the full profile.
Backend MySqlDriverBackend();
// Where servers are required (CI), a missing one fails the test instead of skipping it.
bool ServersRequired();

// Skips the test when the backend is unavailable, or fails it where servers are required.
#define QUORLIN_REQUIRE_BACKEND(backend)                                                  \
  do {                                                                                    \
    if ((backend).connect.empty()) {                                                      \
      if (::quorlin::test::ServersRequired()) FAIL() << (backend).name << " is required"; \
      GTEST_SKIP() << "no " << (backend).name << " server configured";                    \
    }                                                                                     \
  } while (false)

std::string LastError();
// Sets the last-error text to a known marker, through a refusal that both profiles report
// with the same text and that touches no connection.
void MarkLastError();
extern const char kMarker[];

// Where the profiles differ, stated once.
//
// The last-error text after a failure that the full profile reports as fullText and the
// legacy profile passes over in silence; MarkLastError must have run before the failure.
std::string SilentInLegacy(const std::string& fullText);
// The report of a datasheet or bind-table file that cannot be read.
std::string GridUnreadableText();
// A condition that sorts by columns and reaches the database as written in both profiles:
// the legacy profile puts WHERE before a condition that starts with ORDER.
std::string OrderBy(const std::string& columns);
// SQLGetRowCount without a current recordset.
int RowCountWithoutRecordset();
// Results cached per connection.
int CacheCapacity();
// What SQLGetFieldValue gives for value stored in a CHAR(width) column of backend: the full
// profile strips the blanks a padding database adds, the legacy profile keeps them.
std::string CharValue(const Backend& backend, const std::string& value, std::size_t width);

// The statements an SQLite connection opened with Tracefile=path sent, in order.
std::vector<std::string> TracedStatements(const std::string& traceFile);

// Turns on the driver manager's trace for the connections opened while it lives (the
// library must have no connection open when it is made), and reads the statements that
// crossed the ODBC boundary from it, byte for byte. Under Wine the trace can only be turned
// on before the program starts: there it reads the file QUORLIN_WINE_ODBC_TRACE names.
class DriverManagerTrace {
 public:
  DriverManagerTrace();
  ~DriverManagerTrace();
  DriverManagerTrace(const DriverManagerTrace&) = delete;
  DriverManagerTrace& operator=(const DriverManagerTrace&) = delete;
  std::vector<std::string> Statements() const;

 private:
  TempDir dir_;
  std::string traceFile_;
  std::string previous_;
  bool hadPrevious_ = false;
};

// A unique table name per test, so the servers' tables never clash between tests.
std::string TableName(const std::string& stem);

// A block of 64-byte slots (names or values) holding the given texts.
std::string SlotBlock(const std::vector<std::string>& slots);

// Runs a statement that must succeed.
void Exec(int id, const std::string& sql);

// Reads a field of the current record (SQLGetFieldValue), or "<error>" on failure.
std::string Field(const char* name);

}  // namespace quorlin::test
