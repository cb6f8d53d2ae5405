// A statement that meets another connection's lock gives up within the bound that the
// database's documented connect-string option sets (README, "How long a call may wait"),
// instead of the server's default: for ever on PostgreSQL, 50 s on MariaDB, 100 s a wait on
// SQLite.
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

struct LockBound {
  const char* option;    // on the waiting connection's connect string
  const char* takeLock;  // what the holding connection starts its transaction with
  double waits;          // how many times the bound one statement may wait
  const char* refusal;   // the driver's words for giving up
};
const LockBound kMariaDbBound = {"INITSTMT={SET SESSION innodb_lock_wait_timeout=1};", "BEGIN", 1,
                                 "Lock wait timeout exceeded"};
// SQLite's driver waits for the lock twice in one execution.
const std::map<std::string, LockBound> kBounds = {
    {"SQLite", {"Timeout=1000;", "BEGIN EXCLUSIVE", 2, "database is locked"}},
    {"PostgreSQL", {"pqopt={options='-c lock_timeout=1000'};", "BEGIN", 1, "lock timeout"}},
    {"MariaDB", kMariaDbBound},
    {"MySQLDriver", kMariaDbBound},
};
constexpr double kBoundSeconds = 1.0;
constexpr double kSlackSeconds = 4.0;  // a loaded or emulated machine, far below any default

double SecondsOf(const std::function<void()>& call) {
  const auto start = std::chrono::steady_clock::now();
  call();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class LockWaits : public OnEachDatabase {};

TEST_P(LockWaits, TheDocumentedOptionBoundsTheWaitForAnotherConnectionsLock) {
  const LockBound& bound = kBounds.at(GetParam().name);
  const std::string table = TableName("LockWait");
  MakeTable(table, {"1,'a',1"});
  std::string waiterConnect = GetParam().connect;
  if (waiterConnect.back() != ';') waiterConnect += ';';
  waiterConnect += bound.option;
  const int waiter = SQLConnectToDatabase(waiterConnect.c_str());
  ASSERT_GE(waiter, 0) << LastError();
  ASSERT_NE(waiter, id_);

  Exec(id_, bound.takeLock);
  Exec(id_, "UPDATE " + table + " SET Level = 2 WHERE ID = 1");
  const std::string update = "UPDATE " + table + " SET Level = 3 WHERE ID = 1";
  int result = 0;
  const double waited = SecondsOf([&] { result = SQLExcute(waiter, update.c_str()); });
  const std::string refusal = LastError();
  Exec(id_, "ROLLBACK");

  EXPECT_EQ(result, -1);
  EXPECT_NE(refusal.find(bound.refusal), std::string::npos) << refusal;
  EXPECT_GE(waited, 0.8 * kBoundSeconds) << "it gave up without waiting for the lock";
  EXPECT_LE(waited, bound.waits * kBoundSeconds + kSlackSeconds);
  std::printf("[ %s ] waited %.2f s for the lock: %s\n", GetParam().name.c_str(), waited,
              refusal.substr(0, refusal.find('\n')).c_str());
  // Once the lock has gone, the same connection goes on.
  EXPECT_EQ(SQLExcute(waiter, update.c_str()), 0) << LastError();
}

QUORLIN_ON_EACH_DATABASE(LockWaits);

}  // namespace
}  // namespace quorlin::test
