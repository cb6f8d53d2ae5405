// The walk alone, without the select: one result stays open in the library and one on a raw
// static cursor, and each is walked again and again from its first record, the two taking
// turns: the library with SQLMoveRecord and SQLGet of the three fields, raw ODBC fetching
// blocks of 1,000 rows into bound text buffers and copying every value into its own 128-byte
// slot as SQLGet must. Prints the times and ratios; run under a profiler, it shows what a
// walk costs apart from executing the statement (LibraryWalkAgain, RawWalkAgain).
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bench_databases.h"
#include "bench_options.h"
#include "library_walk.h"
#include "odbc_link.h"
#include "quorlin.h"
#include "timing.h"
#include "walk_result.h"

namespace quorlin::bench {
namespace {

constexpr double kWalkTarget = 1.25;
constexpr SQLULEN kBlockRows = 1000;
constexpr int kColumns = 3;
const char kTable[] = "BenchWalkRows";

void PrintUsage(const char* program) {
  std::printf(
      "usage: %s [--rows N] [--runs N] [--database NAME] [--help]\n"
      "  --rows N  rows in the table (default 100000)\n"
      "  --runs N  walks of each path after one warm-up (default 5)\n"
      "  --database NAME  only SQLite, PostgreSQL or MariaDB\n"
      "PostgreSQL and MariaDB come from QUORLIN_TEST_PG and QUORLIN_TEST_MARIADB.\n",
      program);
}

// A static cursor held open with kBlockRows rows of bound 128-byte text buffers per fetch.
class RawBlocks {
 public:
  RawBlocks(const OdbcLink& link, const std::string& sql)
      : m_statement(link),
        m_values(kColumns * kBlockRows * kSlotSize),
        m_lengths(kColumns * kBlockRows) {
    const SQLHSTMT handle = m_statement.Get();
    m_statement.RequestStaticCursor();
    m_statement.Check(
        SQLSetStmtAttr(handle, SQL_ATTR_ROW_ARRAY_SIZE, AttributeValue(kBlockRows), 0),
        "SQLSetStmtAttr(ROW_ARRAY_SIZE)");
    m_statement.Check(SQLSetStmtAttr(handle, SQL_ATTR_ROWS_FETCHED_PTR, &m_fetched, 0),
                      "SQLSetStmtAttr(ROWS_FETCHED_PTR)");
    m_statement.ExecDirect(sql);
    for (SQLUSMALLINT c = 0; c < kColumns; ++c) {
      m_statement.Check(
          SQLBindCol(handle, c + 1, SQL_C_CHAR, Value(c, 0), kSlotSize, &m_lengths[c * kBlockRows]),
          "SQLBindCol");
    }
  }

  // Not inlined, so that a profile shows it by name.
  [[gnu::noinline]] WalkResult RawWalkAgain() {
    WalkResult result;
    char slots[kColumns * kSlotSize];
    for (SQLSMALLINT orientation = SQL_FETCH_FIRST;; orientation = SQL_FETCH_NEXT) {
      const SQLRETURN ret = SQLFetchScroll(m_statement.Get(), orientation, 0);
      if (ret == SQL_NO_DATA) break;
      m_statement.Check(ret, "SQLFetchScroll(block)");
      for (SQLULEN row = 0; row < m_fetched; ++row) {
        for (SQLUSMALLINT c = 0; c < kColumns; ++c) {
          char* value = Value(c, row);
          if (m_lengths[c * kBlockRows + row] == SQL_NULL_DATA) value[0] = '\0';
          CopyIntoSlot(slots + c * kSlotSize, value);
          result.checksum += static_cast<unsigned char>(slots[c * kSlotSize]);
        }
        if (++result.records == 1) result.firstId = SlotValue(slots);
      }
    }
    if (result.records > 0) result.lastId = SlotValue(slots);
    return result;
  }

 private:
  char* Value(SQLUSMALLINT column, SQLULEN row) {
    return m_values.data() + (column * kBlockRows + row) * kSlotSize;
  }

  OdbcStatement m_statement;
  std::vector<char> m_values;  // column after column
  std::vector<SQLLEN> m_lengths;
  SQLULEN m_fetched = 0;
};

// The current recordset walked from its first record; not inlined, for the profile.
[[gnu::noinline]] WalkResult LibraryWalkAgain(const std::vector<BindEntry>& entries) {
  WalkResult result;
  char blocks[2][kColumns * kSlotSize];
  int block = 0;
  const char* lastRead = nullptr;
  SQLMoveRecord(QUORLIN_MOVE_FIRST);
  do {
    if (SQLGet(kColumns, entries.data(), blocks[block]) != 1) continue;
    for (int c = 0; c < kColumns; ++c) {
      result.checksum += static_cast<unsigned char>(blocks[block][c * kSlotSize]);
    }
    if (++result.records == 1) result.firstId = SlotValue(blocks[block]);
    lastRead = blocks[block];
    block ^= 1;  // the failed read at the end clears the spare block only
  } while (SQLMoveRecord(QUORLIN_MOVE_NEXT) != -1);
  if (lastRead != nullptr) result.lastId = SlotValue(lastRead);
  return result;
}

std::vector<BindEntry> Entries() {
  std::vector<BindEntry> entries(kColumns);
  const char* names[kColumns] = {"ID", "Tag", "Level"};
  for (int c = 0; c < kColumns; ++c) {
    std::memset(&entries[c], 0, sizeof entries[c]);
    std::strncpy(entries[c].fieldName, names[c], sizeof entries[c].fieldName - 1);
  }
  return entries;
}

bool Same(const WalkResult& a, const WalkResult& b) {
  return a.records == b.records && a.firstId == b.firstId && a.lastId == b.lastId &&
         a.checksum == b.checksum;
}

void PrintTimes(const char* label, const std::vector<Seconds>& times, long rows) {
  const Summary s = Summarise(times);
  std::printf("  %-44s %8.2f %8.2f %8.1f\n", label, Ms(s.best), Ms(s.median),
              s.best.count() * 1e9 / static_cast<double>(rows));
}

bool WalkOn(const BenchDatabase& database, const Options& options) {
  std::printf("\n== %s: %ld rows, %d walks of each\n", database.name.c_str(), options.rows,
              options.runs);
  const OdbcLink link(database.connect);
  CreateGeneratedTable(link, database.engine, kTable, options.rows);
  const int id = SQLConnectToDatabase(database.connect.c_str());
  if (!Check(id >= 0, "SQLConnectToDatabase: " + (id >= 0 ? "ok" : LibraryLastError()))) {
    return false;
  }
  LibrarySelect(id, kTable);
  bool held = true;
  {
    RawBlocks raw(link, SelectAllText(kTable));
    const std::vector<BindEntry> entries = Entries();
    const WalkResult reference = raw.RawWalkAgain();
    held &= Check(reference.records == options.rows && reference.firstId == "1" &&
                      reference.lastId == std::to_string(options.rows),
                  "raw: " + std::to_string(reference.records) + " records, IDs " +
                      reference.firstId + ".." + reference.lastId);
    held &= Check(Same(LibraryWalkAgain(entries), reference), "the library reads the same values");
    std::vector<Seconds> library;
    std::vector<Seconds> rawTimes;
    bool agree = true;
    for (int run = 0; run < options.runs; ++run) {
      WalkResult a;
      WalkResult b;
      const auto timeLibrary = [&] {
        library.push_back(TimeOf([&] { a = LibraryWalkAgain(entries); }));
      };
      const auto timeRaw = [&] { rawTimes.push_back(TimeOf([&] { b = raw.RawWalkAgain(); })); };
      if (run % 2 == 0) {
        timeLibrary();
        timeRaw();
      } else {
        timeRaw();
        timeLibrary();
      }
      agree &= Same(a, reference) && Same(b, reference);
    }
    held &= Check(agree, "every walk read the same values");
    std::printf("  %-44s %8s %8s %8s\n", "walk from the first record", "best ms", "median",
                "ns/row");
    PrintTimes("library: SQLMoveRecord, SQLGet of 3 fields", library, options.rows);
    PrintTimes("raw: blocks of 1,000, values copied to slots", rawTimes, options.rows);
    const Summary x = Summarise(library);
    const Summary y = Summarise(rawTimes);
    const double best = x.best / y.best;
    const double median = x.median / y.median;
    std::printf("  library / raw: best %.3f, median %.3f  (target <= %.2f: %s)\n", best, median,
                kWalkTarget, best <= kWalkTarget && median <= kWalkTarget ? "MET" : "NOT MET");
  }
  SQLCleanup();
  OdbcStatement(link).ExecDirect(std::string("DROP TABLE ") + kTable);
  return held;
}

int Run(const Options& options) {
  return RunOnEachDatabase("walk.db", options.database, [&](const BenchDatabase& database) {
    return WalkOn(database, options);
  });
}

}  // namespace
}  // namespace quorlin::bench

int main(int argc, char** argv) {
  return quorlin::bench::BenchMain(argc, argv, 10000000L, {}, quorlin::bench::PrintUsage,
                                   quorlin::bench::Run);
}
