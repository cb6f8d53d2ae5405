// What the connection registry and the result cache cost a host on SQLite: small selects
// with a full cache (31 results) against raw ODBC, SQLUseTable with a full cache, and
// SQLConnectToDatabase of a connect string already open when 100 connections are; and on
// every database, SQLConnectToDatabase of a connection idle for over a second (one round
// trip to the server before reuse) against one used a moment ago.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "bench_databases.h"
#include "bench_options.h"
#include "library_walk.h"
#include "odbc_link.h"
#include "quorlin.h"
#include "raw_walks.h"
#include "temp_folder.h"
#include "timing.h"

namespace quorlin::bench {
namespace {

constexpr double kSelectTarget = 1.2;  // small select / raw
constexpr double kUseTableTargetUs = 1.0;
constexpr double kReuseTargetUs = 2.0;
constexpr int kCachedTables = 31;  // a full cache in the full profile
constexpr long kRowsPerTable = 10;
constexpr int kConnections = 100;
const std::vector<std::string> kColumns = {"ID", "Tag", "Level"};

void PrintUsage(const char* program) {
  std::printf(
      "usage: %s [--rows N] [--runs N] [--help]\n"
      "  --rows N  calls per timed run of each path (default 100000; selects a tenth of it)\n"
      "  --runs N  timed runs of each path after one warm-up (default 5)\n",
      program);
}

// Same-length names, so that no lookup is decided by length alone.
std::string TableName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "BenchCache%02d", i);
  return name;
}

// Table i holds IDs 100 i + 1 .. 100 i + 10, so that a result tells its table.
void MakeTables(const OdbcLink& link) {
  for (int i = 0; i < kCachedTables; ++i) {
    CreateGeneratedTable(link, Engine::kSqlite, TableName(i), kRowsPerTable);
    OdbcStatement(link).ExecDirect("UPDATE " + TableName(i) + " SET ID = ID + " +
                                   std::to_string(100 * i));
  }
}

std::string FirstIdOf(int i) {
  return std::to_string(100 * i + 1);
}

struct Timed {
  std::vector<Seconds> times;
  Summary Each(long calls) const {
    Summary s = Summarise(times);
    s.best /= static_cast<double>(calls);
    s.median /= static_cast<double>(calls);
    return s;
  }
};

void PrintEach(const char* label, const Summary& each) {
  std::printf("  %-52s %9.2f %9.2f\n", label, each.best.count() * 1e6, each.median.count() * 1e6);
}

// (a) SQLSelectToTable of 10 rows and a walk with SQLGet of 3 fields, each select replacing
// a result of a full cache, against the naive raw walk of the same texts.
bool SmallSelects(int id, const OdbcLink& link, long selects, int runs) {
  bool held = true;
  for (int i = 0; i < kCachedTables; ++i) {
    const WalkResult library = LibrarySelectWalk(id, TableName(i), kColumns);
    const WalkResult raw = NaiveWalk(link, SelectAllText(TableName(i)), 3);
    held &= library.records == kRowsPerTable && library.firstId == FirstIdOf(i) &&
            library.lastId == raw.lastId && library.checksum == raw.checksum;
  }
  held = Check(held, "library and raw read the same 10 records of each of 31 tables");
  Timed library;
  Timed raw;
  for (int run = 0; run < runs; ++run) {
    library.times.push_back(TimeOf([&] {
      for (long k = 0; k < selects; ++k) {
        LibrarySelectWalk(id, TableName(static_cast<int>(k % kCachedTables)), kColumns);
      }
    }));
    raw.times.push_back(TimeOf([&] {
      for (long k = 0; k < selects; ++k) {
        NaiveWalk(link, SelectAllText(TableName(static_cast<int>(k % kCachedTables))), 3);
      }
    }));
  }
  const Summary a = library.Each(selects);
  const Summary b = raw.Each(selects);
  std::printf("\n(a) select of 10 rows + walk + 3 fields, 31 results cached\n");
  std::printf("  %-52s %9s %9s\n", "", "best us", "median us");
  PrintEach("library: SQLSelectToTable, SQLGet, SQLMoveRecord", a);
  PrintEach("naive raw: exec, fetch per row, SQLGetData, free", b);
  const double best = a.best / b.best;
  const double median = a.median / b.median;
  const bool met = best <= kSelectTarget && median <= kSelectTarget;
  std::printf("  ratio library/raw: best %.3f, median %.3f  (target <= %.2f: %s)\n", best, median,
              kSelectTarget, met ? "MET" : "NOT MET");
  return held;
}

bool CheckCurrentIs(int table) {
  SQLMoveRecord(QUORLIN_MOVE_FIRST);
  char value[64] = {0};
  SQLGetFieldValue("ID", value, sizeof value);
  return value == FirstIdOf(table);
}

void PrintTarget(const char* label, const Summary& each, double targetUs) {
  const bool met = each.best.count() * 1e6 < targetUs && each.median.count() * 1e6 < targetUs;
  PrintEach(label, each);
  std::printf("  %-52s target < %.1f us: %s\n", "", targetUs, met ? "MET" : "NOT MET");
}

// (b) SQLUseTable over a full cache: every name in turn, and the last cached (the whole
// cache walked).
bool UseTables(int id, long calls, int runs) {
  bool held = true;
  for (int i = 0; i < kCachedTables; ++i) {
    held &= SQLUseTable(id, TableName(i).c_str()) == 0 && CheckCurrentIs(i);
  }
  held = Check(held, "SQLUseTable finds each of the 31 cached results");
  std::vector<std::string> names;
  for (int i = 0; i < kCachedTables; ++i) names.push_back(TableName(i));
  const std::string last = TableName(kCachedTables - 1);
  Timed each;
  Timed worst;
  int failures = 0;
  for (int run = 0; run < runs; ++run) {
    each.times.push_back(TimeOf([&] {
      for (long k = 0; k < calls; ++k)
        failures += SQLUseTable(id, names[k % kCachedTables].c_str());
    }));
    worst.times.push_back(TimeOf([&] {
      for (long k = 0; k < calls; ++k) failures += SQLUseTable(id, last.c_str());
    }));
  }
  held &= Check(failures == 0, "every timed SQLUseTable found its result");
  std::printf("\n(b) SQLUseTable, 31 results cached\n");
  std::printf("  %-52s %9s %9s\n", "", "best us", "median us");
  PrintTarget("each of the 31 names in turn", each.Each(calls), kUseTableTargetUs);
  PrintTarget("the last cached (whole cache compared)", worst.Each(calls), kUseTableTargetUs);
  return held;
}

// (c) SQLConnectToDatabase of an open connect string with 100 connections open.
bool ReuseConnections(const TempFolder& folder, long calls, int runs) {
  SQLCleanup();
  std::vector<std::string> connects;
  std::vector<int> ids;
  for (int i = 0; i < kConnections; ++i) {
    char file[32];
    std::snprintf(file, sizeof file, "/connection%03d.db", i);
    connects.push_back("Driver=SQLite3;Database=" + folder.Path() + file);
    ids.push_back(SQLConnectToDatabase(connects.back().c_str()));
  }
  bool held = true;
  for (int i = 0; i < kConnections; ++i) {
    held &= ids[i] >= 0 && SQLConnectToDatabase(connects[i].c_str()) == ids[i];
  }
  held = Check(held, "100 connections open, each found again by its connect string");
  Timed first;
  Timed last;
  int wrong = 0;
  for (int run = 0; run < runs; ++run) {
    last.times.push_back(TimeOf([&] {
      for (long k = 0; k < calls; ++k)
        wrong += SQLConnectToDatabase(connects.back().c_str()) != ids.back();
    }));
    first.times.push_back(TimeOf([&] {
      for (long k = 0; k < calls; ++k) wrong += SQLConnectToDatabase(connects[0].c_str()) != ids[0];
    }));
  }
  held &= Check(wrong == 0, "every timed call gave the open connection's id");
  std::printf("\n(c) SQLConnectToDatabase of an open connect string, 100 connections open\n");
  std::printf("  %-52s %9s %9s\n", "", "best us", "median us");
  PrintTarget("the last opened (every connection compared)", last.Each(calls), kReuseTargetUs);
  PrintEach("the first opened", first.Each(calls));
  SQLCleanup();
  return held;
}

// (d) SQLConnectToDatabase of a connection used a moment ago, and of one idle for longer than
// the bound before the check (1 s), which costs one round trip to the server.
bool ReuseAfterIdle(const TempFolder& folder, int runs) {
  std::printf("\n(d) SQLConnectToDatabase reusing a connection: busy, and idle for 1.1 s\n");
  std::printf("  %-52s %9s %9s\n", "", "best us", "median us");
  bool held = true;
  for (const BenchDatabase& database : BenchDatabases(folder.Path() + "/idle.db")) {
    if (database.connect.empty()) {
      held &= CheckAvailable(database);
      continue;
    }
    SQLCleanup();
    const char* connect = database.connect.c_str();
    const int id = SQLConnectToDatabase(connect);
    if (!Check(id >= 0, database.name + ": " + (id >= 0 ? "ok" : LibraryLastError()))) {
      held = false;
      continue;
    }
    constexpr long kBusyCalls = 1000;
    Timed busy;
    Timed idle;
    int wrong = 0;
    for (int run = 0; run < runs; ++run) {
      busy.times.push_back(TimeOf([&] {
        for (long k = 0; k < kBusyCalls; ++k) wrong += SQLConnectToDatabase(connect) != id;
      }));
      std::this_thread::sleep_for(std::chrono::milliseconds(1100));
      idle.times.push_back(TimeOf([&] { wrong += SQLConnectToDatabase(connect) != id; }));
    }
    held &= Check(wrong == 0, database.name + ": every call gave the open connection's id");
    PrintEach((database.name + ", used a moment ago").c_str(), busy.Each(kBusyCalls));
    PrintEach((database.name + ", idle (one round trip)").c_str(), idle.Each(1));
  }
  SQLCleanup();
  return held;
}

int Run(const Options& options) {
  const TempFolder folder;
  const std::string connect = "Driver=SQLite3;Database=" + folder.Path() + "/cache.db";
  const OdbcLink link(connect);
  MakeTables(link);
  const int id = SQLConnectToDatabase(connect.c_str());
  if (!Check(id >= 0, "SQLConnectToDatabase: " + (id >= 0 ? "ok" : LibraryLastError()))) return 1;
  std::printf("SQLite, 31 tables of 10 rows (ID INTEGER, Tag CHAR(20), Level FLOAT), %d runs\n",
              options.runs);
  bool held = SmallSelects(id, link, std::max(1L, options.rows / 10), options.runs);
  held &= UseTables(id, options.rows, options.runs);
  held &= ReuseConnections(folder, options.rows, options.runs);
  held &= ReuseAfterIdle(folder, options.runs);
  std::printf("\n%s\n", held ? "all checks held" : "SOME CHECKS FAILED");
  return held ? 0 : 1;
}

}  // namespace
}  // namespace quorlin::bench

int main(int argc, char** argv) {
  return quorlin::bench::BenchMain(argc, argv, 100000000L, {}, quorlin::bench::PrintUsage,
                                   quorlin::bench::Run);
}
