#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "quorlin.h"
#include "temp_dir.h"

namespace quorlin::test {

// A database the behaviour tests run on.
struct Backend {
  std::string name;
  std::string connect;  // empty: not available here
  bool mysqlDialect = false;
  bool padsChar = false;           // CHAR(n) values come back padded to n
  bool acceptsAggregates = false;  // accepts the aggregate texts of its dialect
};

inline void PrintTo(const Backend& backend, std::ostream* out) {
  *out << backend.name;
}

// SQLite on a fresh file, and the servers whose connect strings the test script exported.
std::vector<Backend> AllBackends();
Backend SqliteBackend();
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
// Sets the last-error text to a known marker by provoking message 1603 on no connection.
void MarkLastError();
extern const char kMarker[];

// The statements an SQLite connection opened with Tracefile=path sent, in order.
std::vector<std::string> TracedStatements(const std::string& traceFile);

// Turns on the driver manager's trace for the connections opened while it lives (the
// library must have no connection open when it is made), and reads the statements that
// crossed the ODBC boundary from it, byte for byte.
class DriverManagerTrace {
 public:
  DriverManagerTrace();
  ~DriverManagerTrace();
  DriverManagerTrace(const DriverManagerTrace&) = delete;
  DriverManagerTrace& operator=(const DriverManagerTrace&) = delete;
  std::vector<std::string> Statements() const;

 private:
  TempDir dir_;
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
