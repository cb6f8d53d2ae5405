#include <atomic>
#include <chrono>
#include <cstring>
#include <iostream>
#include <thread>
#include <vector>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

// A host that calls from several threads at once: each call runs whole, one after another,
// so nothing crashes and every result is one that the export can give alone. The state stays
// shared, so the threads see each other's recordsets and disconnects.
class ConcurrentHosts : public OnEachDatabase {};

TEST_P(ConcurrentHosts, FourThreadsCallingAMixOfExportsGetOnlyResultsTheExportsCanGive) {
  const std::string table = TableName("Conc");
  std::vector<std::string> rows;
  for (int i = 1; i <= 20; ++i)
    rows.push_back(std::to_string(i) + ",'T" + std::to_string(i) + "'," + std::to_string(i));
  MakeTable(table, rows);
  const std::string connect = GetParam().connect;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  std::atomic<long> calls{0};
  std::atomic<long> impossible{0};
  const auto expect = [&](bool possible, const char* what) {
    ++calls;
    if (!possible) {
      ++impossible;
      ADD_FAILURE() << what;
    }
  };

  const auto host = [&](int seed) {
    char text[QUORLIN_LAST_ERROR_SIZE];
    char value[QUORLIN_GET_SLOT_SIZE];
    for (int round = 0; std::chrono::steady_clock::now() < deadline; ++round) {
      const int id = SQLConnectToDatabase(connect.c_str());
      expect(id >= 0, "connect");
      switch ((round + seed) % 7) {
        case 0: {
          const int result = SQLSelectToTable(id, table.c_str(), "");
          expect(result == 0 || result == -1, "select");
          break;
        }
        case 1: {
          const int result = SQLMoveRecord(QUORLIN_MOVE_NEXT);
          expect(result == 0 || result == -1, "move");
          break;
        }
        case 2: {
          std::memset(value, '#', sizeof value);
          const int result = SQLGetFieldValue("Tag", value, sizeof value);
          expect((result == 1 && value[0] == 'T') || (result == 0), "field");
          break;
        }
        case 3:
          expect(SQLGetRowCount() >= -1, "row count");
          break;
        case 4: {
          double sum = 0;
          const int result = SQLAggregate(id, table.c_str(), QUORLIN_COUNT, "ID", &sum, "");
          expect(result == -1 || (result == 0 && sum == 20.0), "aggregate");
          break;
        }
        case 5:
          // What another thread left: always one whole, terminated text.
          expect(SQLLastError(text, sizeof text) == 0 && std::strlen(text) < sizeof text,
                 "last error");
          break;
        default:
          // Disconnects pull connections and recordsets from under the other threads.
          if (seed == 0) SQLDisconnectToDatabase(id);
          expect(SQLUseTable(id, table.c_str()) >= -1, "use table");
          break;
      }
    }
  };
  std::vector<std::thread> threads;
  for (int seed = 0; seed < 4; ++seed) threads.emplace_back(host, seed);
  for (std::thread& thread : threads) thread.join();

  std::cout << GetParam().name << ": " << calls << " calls from 4 threads\n";
  EXPECT_EQ(impossible, 0);
  EXPECT_GT(calls, 100) << "the threads hardly ran";
  // The library is whole afterwards.
  SQLCleanup();
  const int id = SQLConnectToDatabase(connect.c_str());
  ASSERT_GE(id, 0) << LastError();
  ASSERT_EQ(SQLSelectToTable(id, table.c_str(), OrderBy("ID").c_str()), 0) << LastError();
  EXPECT_EQ(Field("ID"), "1");
  Exec(id, "DROP TABLE " + table);
}

QUORLIN_ON_EACH_DATABASE(ConcurrentHosts);

}  // namespace
}  // namespace quorlin::test
