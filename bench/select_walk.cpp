// Walks a 3-column result through the library (SQLSelectToTable, SQLMoveRecord, SQLGet) and
// through raw ODBC on a static cursor (in blocks with every value copied into a slot as SQLGet
// hands it over, in blocks read in place, and row by row), and compares the select, the walk
// and the whole, on SQLite and on the servers named by QUORLIN_TEST_PG and
// QUORLIN_TEST_MARIADB. Also times SQLGetRowCount before and after a full walk, checks where it
// leaves the recordset, and weighs the library's heap for a result against the driver's own.
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench_databases.h"
#include "bench_options.h"
#include "call_costs.h"
#include "library_walk.h"
#include "quorlin.h"
#include "raw_odbc.h"
#include "summary_lines.h"
#include "timing.h"

namespace quorlin::bench {
namespace {

// Library / raw block fetch with slot copies, for both best and median.
constexpr double kWalkTarget = 1.25;  // the walk and reads, the select excluded
constexpr double kTotalTarget = 1.05;
constexpr int kRawRowsetSize = 1000;
const char kTable[] = "BenchRows";
const std::vector<std::string> kColumns = {"ID", "Tag", "Level"};

void PrintUsage(const char* program) {
  std::printf(
      "usage: %s [--rows N] [--runs N] [--database NAME] [--help]\n"
      "  --rows N  rows in the table (default 100000)\n"
      "  --runs N  timed runs of each path after one warm-up (default 5)\n"
      "  --database NAME  only SQLite, PostgreSQL or MariaDB (for a profile of one)\n"
      "PostgreSQL and MariaDB come from QUORLIN_TEST_PG and QUORLIN_TEST_MARIADB\n"
      "(source the env.sh that tests/servers/start-servers.sh writes).\n",
      program);
}

bool CheckWalk(const char* path, const WalkResult& walk, long rows) {
  const std::string expected =
      std::string(path) + ": " + std::to_string(rows) + " records, IDs 1.." + std::to_string(rows);
  const bool held =
      walk.records == rows && walk.firstId == "1" && walk.lastId == std::to_string(rows);
  if (!held) {
    std::printf("  %s saw %ld records, first ID '%s', last ID '%s'\n", path, walk.records,
                walk.firstId.c_str(), walk.lastId.c_str());
  }
  return Check(held, expected);
}

bool SameWalk(const WalkResult& a, const WalkResult& b) {
  return a.records == b.records && a.firstId == b.firstId && a.lastId == b.lastId &&
         a.checksum == b.checksum;
}

// Times of one path's runs: the whole, its select part and the rest.
struct PathTimes {
  PathTimes(const char* label, const char* selectLabel, std::function<WalkResult()> walk)
      : label(label), selectLabel(selectLabel), walk(std::move(walk)) {}

  const char* label;
  const char* selectLabel;
  std::function<WalkResult()> walk;
  std::vector<Seconds> total;
  std::vector<Seconds> select;
  std::vector<Seconds> walkAndReads;

  void Add(Seconds whole, const WalkResult& walkResult) {
    total.push_back(whole);
    select.push_back(walkResult.selectTime);
    walkAndReads.push_back(whole - walkResult.selectTime);
  }
};

// The paths in the order they are printed: the library first, then the raw path it is held
// to (block fetch with every value copied into a slot, as SQLGet must), then the others.
std::vector<PathTimes> WalkPaths(int id, RawConnection& raw) {
  const std::string sql = SelectAllText(kTable);
  const int columns = static_cast<int>(kColumns.size());
  return {
      {"library (SQLGet/SQLMoveRecord)", "  of which SQLSelectToTable",
       [id] { return LibrarySelectWalk(id, kTable, kColumns); }},
      {"raw blocks + slot copies", "  of which exec + free",
       [&raw, sql, columns] {
         return raw.WalkStaticCursorInBlocks(sql, columns, kRawRowsetSize,
                                             BlockValues::kCopiedIntoSlots);
       }},
      {"raw blocks, values in place", "  of which exec + free",
       [&raw, sql, columns] {
         return raw.WalkStaticCursorInBlocks(sql, columns, kRawRowsetSize,
                                             BlockValues::kReadInPlace);
       }},
      {"raw, a fetch per row, SQLGetData", "  of which exec + free",
       [&raw, sql, columns] { return raw.WalkStaticCursor(sql, columns); }},
  };
}

// One warm-up of each path ran before; the order rotates between rounds, so that no path
// always runs right after the same other one.
bool CompareWalks(std::vector<PathTimes>& paths, const Options& options,
                  const WalkResult& reference) {
  bool agree = true;
  for (int round = 0; round < options.runs; ++round) {
    for (std::size_t k = 0; k < paths.size(); ++k) {
      PathTimes& path = paths[(k + static_cast<std::size_t>(round)) % paths.size()];
      WalkResult walk;
      const Seconds whole = TimeOf([&] { walk = path.walk(); });
      path.Add(whole, walk);
      agree &= SameWalk(walk, reference);
    }
  }
  return Check(agree, "every timed run read the same values");
}

// The width of the labels in the comparison's columns.
constexpr int kLabelWidth = 34;

void PrintComparison(const std::vector<PathTimes>& paths, int runs) {
  std::printf("\n(a)/(b) select + walk + 3 reads per record, %d runs each\n", runs);
  std::printf("  %-34s %10s %10s\n", "", "best ms", "median ms");
  for (const PathTimes& path : paths) {
    PrintTimes(path.label, path.total, kLabelWidth);
    PrintTimes(path.selectLabel, path.select, kLabelWidth);
    PrintTimes("  of which walk + reads", path.walkAndReads, kLabelWidth);
  }
  const PathTimes& library = paths[0];
  const PathTimes& slots = paths[1];
  const PathTimes& inPlace = paths[2];
  std::printf("  library / raw blocks + slot copies:\n");
  PrintRatio("  select", library.select, slots.select, 0, kLabelWidth);
  PrintRatio("  walk + reads", library.walkAndReads, slots.walkAndReads, kWalkTarget, kLabelWidth);
  PrintRatio("  total", library.total, slots.total, kTotalTarget, kLabelWidth);
  std::printf("  library / raw blocks, values in place:\n");
  PrintRatio("  walk + reads", library.walkAndReads, inPlace.walkAndReads, 0, kLabelWidth);
  PrintRatio("  total", library.total, inPlace.total, 0, kLabelWidth);
}

// (c): the count right after a fresh select walks the cursor; after a full walk it is known.
bool CheckRowCounts(int id, long rows, const std::string& firstId) {
  bool held = true;
  std::printf("\n(c) SQLGetRowCount\n");
  LibrarySelect(id, kTable);
  const RowCountProbe fresh = ProbeRowCount(kColumns[0]);
  std::printf("  right after the select: %.3f ms, count %d\n", Ms(fresh.time), fresh.count);
  held &= Check(fresh.count == rows, "count is " + std::to_string(rows));
  held &= Check(fresh.idAfter == firstId, "then on the first record (ID '" + fresh.idAfter +
                                              "', expected '" + firstId + "')");
  const long moves = LibraryMoveToEnd();
  held &= Check(moves == rows,
                "a full walk made " + std::to_string(moves) + " moves (the last one onto the end)");
  const RowCountProbe walked = ProbeRowCount(kColumns[0]);
  std::printf("  after a full walk:      %.3f ms, count %d\n", Ms(walked.time), walked.count);
  held &= Check(walked.count == rows, "count is " + std::to_string(rows));
  held &= Check(walked.idAfter == firstId, "then on the first record (ID '" + walked.idAfter +
                                               "', expected '" + firstId + "')");
  return held;
}

// (d): heap held for one fresh result, by the driver alone and through the library.
void PrintHeap(int id, RawConnection& raw) {
  const long driver = raw.HeapOfResult(SelectAllText(kTable), static_cast<int>(kColumns.size()));
  // A connection's first pass over the table fills its page cache (SQLite: 2 MB), which the raw
  // connection has already done: let the library's connection do it before weighing.
  SQLExcute(id, SelectAllText(kTable).c_str());
  const long before = HeapInUse();
  LibrarySelect(id, kTable);
  const long library = HeapInUse() - before;
  std::printf(
      "\n(d) heap for one result: driver %.1f MB, through the library %.1f MB, "
      "the library's own %.3f MB (%.2f%%)\n",
      driver / 1e6, library / 1e6, (library - driver) / 1e6,
      driver > 0 ? 100.0 * static_cast<double>(library - driver) / driver : 0.0);
}

bool RunOn(const std::string& name, const std::string& connect, const Options& options) {
  std::printf("\n=== %s ===\n", name.c_str());
  RawConnection raw(connect);
  const Seconds created = TimeOf([&] { raw.CreateBenchTable(kTable, options.rows); });
  std::printf("table %s: %ld rows (ID INTEGER, Tag CHAR(20), Level FLOAT), created in %.1f ms\n",
              kTable, options.rows, Ms(created));

  const int id = SQLConnectToDatabase(connect.c_str());
  if (id < 0) {
    std::fprintf(stderr, "SQLConnectToDatabase failed: %s\n", LibraryLastError().c_str());
    return false;
  }
  bool held = true;
  PrintHeap(id, raw);
  std::printf("\nwarm-up\n");
  const WalkResult reference =
      raw.WalkStaticCursor(SelectAllText(kTable), static_cast<int>(kColumns.size()));
  held &= CheckWalk("raw", reference, options.rows);
  std::vector<PathTimes> paths = WalkPaths(id, raw);
  for (const PathTimes& path : paths) {
    held &= Check(SameWalk(path.walk(), reference),
                  std::string(path.label) + " reads the same values as raw rows");
  }

  held &= CompareWalks(paths, options, reference);
  PrintComparison(paths, options.runs);
  LibrarySelect(id, kTable);
  PrintCallCosts(kColumns, options.rows, options.runs);

  held &= CheckRowCounts(id, options.rows, reference.firstId);
  SQLCleanup();
  return held;
}

int Run(const Options& options) {
  return RunOnEachDatabase("bench.db", options.database, [&](const BenchDatabase& database) {
    return RunOn(database.name, database.connect, options);
  });
}

}  // namespace
}  // namespace quorlin::bench

int main(int argc, char** argv) {
  return quorlin::bench::BenchMain(argc, argv, 100000000L, {}, quorlin::bench::PrintUsage,
                                   quorlin::bench::Run);
}
