// SQLGetRowCount right after SQLSelectToTable, at 10,000, 100,000 and 1,000,000 rows on
// SQLite, PostgreSQL and MariaDB; and at the largest size what the library holds on top of
// the driver's own copy of the result.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "bench_databases.h"
#include "bench_options.h"
#include "library_walk.h"
#include "memory_use.h"
#include "odbc_link.h"
#include "quorlin.h"
#include "raw_walks.h"
#include "temp_folder.h"
#include "timing.h"

namespace quorlin::bench {
namespace {

constexpr double kTargetMs = 1.0;  // at 1,000,000 rows on SQLite and PostgreSQL
const char kTable[] = "BenchCountRows";
const std::vector<long> kDefaultSizes = {10000, 100000, 1000000};

void PrintUsage(const char* program) {
  std::printf(
      "usage: %s [--rows N] [--runs N] [--database NAME] [--help]\n"
      "  --rows N  one table size instead of 10000, 100000 and 1000000\n"
      "  --runs N  selects counted at each size (default 5)\n"
      "  --database NAME  only SQLite, PostgreSQL or MariaDB\n"
      "PostgreSQL and MariaDB come from QUORLIN_TEST_PG and QUORLIN_TEST_MARIADB.\n",
      program);
}

bool TargetApplies(const BenchDatabase& database, long rows) {
  return rows >= 1000000 && database.engine != Engine::kMariaDb;
}

// A fresh select before every count, so that each count is the first on its result.
bool CountAt(const BenchDatabase& database, int id, long rows, int runs) {
  std::vector<Seconds> selects;
  std::vector<Seconds> counts;
  bool held = true;
  for (int run = 0; run < runs; ++run) {
    selects.push_back(TimeOf([&] { LibrarySelect(id, kTable); }));
    const RowCountProbe probe = ProbeRowCount("ID");
    counts.push_back(probe.time);
    held &= probe.count == rows && probe.idAfter == "1";
    if (probe.count != rows || probe.idAfter != "1") {
      std::printf("  count %d, then on ID '%s'\n", probe.count, probe.idAfter.c_str());
    }
  }
  const Summary select = Summarise(selects);
  const Summary count = Summarise(counts);
  std::printf("  %9ld rows: SQLGetRowCount best %.3f ms, median %.3f ms (select %.1f ms)", rows,
              Ms(count.best), Ms(count.median), Ms(select.median));
  if (TargetApplies(database, rows)) {
    const bool met = Ms(count.best) < kTargetMs && Ms(count.median) < kTargetMs;
    std::printf("  target < %.0f ms: %s", kTargetMs, met ? "MET" : "NOT MET");
  }
  std::printf("\n");
  return Check(held, "every count was " + std::to_string(rows) + " and left the first record");
}

// The driver's copy alone (raw execute on the same cursor), then the library's select and
// count; the library's own share is the difference.
void MeasureMemoryAt(const BenchDatabase& database, const OdbcLink& link, long rows) {
  const std::string sql = SelectAllText(kTable);
  MemoryUse before = MeasureMemory();
  auto held = HoldResult(link, sql);
  const MemoryUse raw = MeasureMemory();
  held.reset();
  const int id = SQLConnectToDatabase(database.connect.c_str());
  const MemoryUse connected = MeasureMemory();
  LibrarySelect(id, kTable);
  const MemoryUse selected = MeasureMemory();
  SQLGetRowCount();
  const MemoryUse counted = MeasureMemory();
  SQLCleanup();
  const auto share = [&](const MemoryUse& library) {
    MemoryUse extra;
    extra.heapBytes =
        (library.heapBytes - connected.heapBytes) - (raw.heapBytes - before.heapBytes);
    extra.residentBytes = (library.residentBytes - connected.residentBytes) -
                          (raw.residentBytes - before.residentBytes);
    return Growth(MemoryUse{}, extra);
  };
  std::printf("  memory at %ld rows:\n", rows);
  std::printf("    raw execute (the driver's copy):  %s\n", Growth(before, raw).c_str());
  std::printf("    SQLSelectToTable:                 %s\n", Growth(connected, selected).c_str());
  std::printf("    then SQLGetRowCount:              %s\n", Growth(connected, counted).c_str());
  std::printf("    library's own share after select: %s\n", share(selected).c_str());
  std::printf("    library's own share after count:  %s\n", share(counted).c_str());
}

bool CountOn(const BenchDatabase& database, const std::vector<long>& sizes, int runs) {
  std::printf("\n== %s\n", database.name.c_str());
  const OdbcLink link(database.connect);
  bool held = true;
  for (long rows : sizes) {
    CreateGeneratedTable(link, database.engine, kTable, rows);
    const int id = SQLConnectToDatabase(database.connect.c_str());
    if (!Check(id >= 0, "SQLConnectToDatabase: " + (id >= 0 ? "ok" : LibraryLastError()))) {
      return false;
    }
    held &= CountAt(database, id, rows, runs);
    SQLCleanup();
  }
  MeasureMemoryAt(database, link, sizes.back());
  OdbcStatement(link).ExecDirect(std::string("DROP TABLE ") + kTable);
  return held;
}

int Run(const Options& options, const std::vector<long>& sizes) {
  const TempFolder folder;
  bool held = true;
  for (const BenchDatabase& database :
       BenchDatabases(folder.Path() + "/count.db", options.database)) {
    if (!CheckAvailable(database)) {
      held = false;
      continue;
    }
    if (!database.connect.empty()) held &= CountOn(database, sizes, options.runs);
  }
  std::printf("\n%s\n", held ? "all checks held" : "SOME CHECKS FAILED");
  return held ? 0 : 1;
}

int RunSizes(const Options& options) {
  return Run(options, options.rows > 0 ? std::vector<long>{options.rows} : kDefaultSizes);
}

}  // namespace
}  // namespace quorlin::bench

int main(int argc, char** argv) {
  quorlin::bench::Options defaults;
  defaults.rows = 0;  // none given: the three default sizes
  return quorlin::bench::BenchMain(argc, argv, 10000000L, defaults, quorlin::bench::PrintUsage,
                                   quorlin::bench::RunSizes);
}
