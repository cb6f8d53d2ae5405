// Select + walk + 3 fields of every record on SQLite, PostgreSQL and MariaDB, by five paths
// in one run: the library (SQLSelectToTable, SQLGet, SQLMoveRecord), naive raw ODBC (a
// fetch per row, SQLGetData per value), block-fetch raw ODBC (bound text buffers, 1000 rows a
// fetch) with every value copied into its own 128-byte slot as SQLGet must, the same reading
// the values in place, and pyodbc (execute, fetchall, 3 fields a row). Prints the times and
// the ratios.
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "bench_databases.h"
#include "bench_options.h"
#include "library_walk.h"
#include "odbc_link.h"
#include "pyodbc_path.h"
#include "quorlin.h"
#include "raw_walks.h"
#include "summary_lines.h"
#include "timing.h"

namespace quorlin::bench {
namespace {

// Library walk / block-fetch raw with every value copied into a slot, as SQLGet hands it over.
constexpr double kBlockTarget = 1.05;
constexpr double kPyodbcTarget = 0.5;  // library walk / pyodbc
const char kTable[] = "BenchSelectRows";
const std::vector<std::string> kColumns = {"ID", "Tag", "Level"};
constexpr int kColumnCount = 3;

void PrintUsage(const char* program) {
  std::printf(
      "usage: %s [--rows N] [--runs N] [--database NAME] [--help]\n"
      "  --rows N  rows in the table (default 100000)\n"
      "  --runs N  timed runs of each path after one warm-up (default 5)\n"
      "  --database NAME  only SQLite, PostgreSQL or MariaDB\n"
      "PostgreSQL and MariaDB come from QUORLIN_TEST_PG and QUORLIN_TEST_MARIADB\n"
      "(source the env.sh that tests/servers/start-servers.sh writes).\n",
      program);
}

struct WalkPath {
  const char* label;
  std::function<WalkResult()> walk;
  std::vector<Seconds> times;
};

bool SameRecords(const WalkResult& a, const WalkResult& b) {
  return a.records == b.records && a.firstId == b.firstId && a.lastId == b.lastId;
}

bool CheckReference(const WalkResult& walk, long rows) {
  return Check(walk.records == rows && walk.firstId == "1" && walk.lastId == std::to_string(rows),
               "naive raw: " + std::to_string(walk.records) + " records, IDs " + walk.firstId +
                   ".." + walk.lastId);
}

// One warm-up of each path, compared with the naive raw walk, then the timed runs with the
// order rotating between rounds.
bool RunPaths(std::vector<WalkPath>& paths, long rows, int runs) {
  const WalkResult reference = paths.back().walk();
  bool held = CheckReference(reference, rows);
  for (WalkPath& path : paths) {
    const WalkResult walk = path.walk();
    held &= Check(SameRecords(walk, reference) && walk.checksum == reference.checksum,
                  std::string(path.label) + " reads the same values");
  }
  bool agree = true;
  for (int round = 0; round < runs; ++round) {
    for (std::size_t k = 0; k < paths.size(); ++k) {
      WalkPath& path = paths[(k + static_cast<std::size_t>(round)) % paths.size()];
      WalkResult walk;
      path.times.push_back(TimeOf([&] { walk = path.walk(); }));
      agree &= SameRecords(walk, reference) && walk.checksum == reference.checksum;
    }
  }
  return held & Check(agree, "every timed run read the same values");
}

bool CheckPyodbc(const PyodbcRuns& python, long rows) {
  if (!python.error.empty()) std::printf("  pyodbc: %s\n", python.error.c_str());
  bool same = python.error.empty();
  for (const WalkResult& walk : python.walks) {
    same &= walk.records == rows && walk.firstId == "1" && walk.lastId == std::to_string(rows);
  }
  return Check(same, "pyodbc ran and saw " + std::to_string(rows) + " records, IDs 1.." +
                         std::to_string(rows));
}

// The width of the labels in the comparison's columns.
constexpr int kLabelWidth = 40;

bool CompareOn(const BenchDatabase& database, const Options& options) {
  std::printf("\n== %s: %ld rows, %d runs\n", database.name.c_str(), options.rows, options.runs);
  const OdbcLink link(database.connect);
  const Seconds created =
      TimeOf([&] { CreateGeneratedTable(link, database.engine, kTable, options.rows); });
  std::printf("  table made in %.0f ms\n", Ms(created));
  const int id = SQLConnectToDatabase(database.connect.c_str());
  if (!Check(id >= 0, "SQLConnectToDatabase: " + (id >= 0 ? "ok" : LibraryLastError()))) {
    return false;
  }
  const std::string sql = SelectAllText(kTable);
  std::vector<WalkPath> paths = {
      {"library (SQLGet / SQLMoveRecord)",
       [&] { return LibrarySelectWalk(id, kTable, kColumns); },
       {}},
      {"block-fetch raw + slot copies",
       [&] { return BlockWalk(link, sql, kColumnCount, BlockValues::kCopiedIntoSlots); },
       {}},
      {"block-fetch raw (1000 rows a fetch)",
       [&] { return BlockWalk(link, sql, kColumnCount, BlockValues::kReadInPlace); },
       {}},
      {"naive raw (a fetch per row, SQLGetData)",
       [&] { return NaiveWalk(link, sql, kColumnCount); },
       {}},
  };
  bool held = RunPaths(paths, options.rows, options.runs);
  SQLCleanup();  // the library's result goes before pyodbc reads the table
  const PyodbcRuns python = RunPyodbc(database.connect, sql, options.runs);
  held &= CheckPyodbc(python, options.rows);

  std::printf("  %-40s %10s %10s\n", "select + walk + 3 fields", "best ms", "median ms");
  for (const WalkPath& path : paths) PrintTimes(path.label, path.times, kLabelWidth);
  if (python.error.empty())
    PrintTimes("pyodbc (execute, fetchall, 3 fields)", python.times, kLabelWidth);
  PrintRatio("library / block-fetch raw + slot copies", paths[0].times, paths[1].times,
             kBlockTarget, kLabelWidth);
  PrintRatio("library / block-fetch raw", paths[0].times, paths[2].times, 0, kLabelWidth);
  PrintRatio("library / naive raw", paths[0].times, paths[3].times, 0, kLabelWidth);
  PrintRatio("block-fetch / naive raw", paths[2].times, paths[3].times, 0, kLabelWidth);
  if (python.error.empty()) {
    PrintRatio("library / pyodbc", paths[0].times, python.times, kPyodbcTarget, kLabelWidth);
  }
  OdbcStatement(link).ExecDirect(std::string("DROP TABLE ") + kTable);
  return held;
}

int Run(const Options& options) {
  return RunOnEachDatabase("select.db", options.database, [&](const BenchDatabase& database) {
    return CompareOn(database, options);
  });
}

}  // namespace
}  // namespace quorlin::bench

int main(int argc, char** argv) {
  return quorlin::bench::BenchMain(argc, argv, 10000000L, {}, quorlin::bench::PrintUsage,
                                   quorlin::bench::Run);
}
