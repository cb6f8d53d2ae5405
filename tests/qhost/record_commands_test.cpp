#include <gtest/gtest.h>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// Runs once the library has the schema, bind-table and modification exports.
#define REQUIRE_EXPORTS(...)                                              \
  for (const char* name : {__VA_ARGS__}) {                                \
    if (!LibraryHas(name)) GTEST_SKIP() << "the library has no " << name; \
  }

const std::string kConnect = "connect Driver=SQLite3;Database=records.db\n";

TEST(RecordCommands, ATableFromADatasheetTakesRecordsThroughABindTableFile) {
  REQUIRE_EXPORTS("SQLCreateTable", "SQLInsertRecord", "SQLUpdateRecord", "SQLDeleteRecord");
  TempFolder folder;
  const QhostRun run = RunScript(folder, kConnect +
                                             "datasheet log.ds Tag:char:8 Level:float Stamp:date\n"
                                             "createtable Log log.ds\n"
                                             "bindfile log.bt Tag:char Level:float Stamp:date\n"
                                             "insert Log log.bt T1 1.5 2024-03-01\n"
                                             "insert Log log.bt P7 2.5 2024-03-02\n"
                                             "insert Log log.bt F3 4 2024-03-03\n"
                                             "update Log log.bt \"Tag = 'P7'\" P8 3.5 2024-03-04\n"
                                             "delete Log Tag = 'F3'\n"
                                             "select Log ORDER BY Tag DESC\n"
                                             "rows Tag Level Stamp\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"T1  | 1.5   | 2024-03-01\n", "P8  | 3.5   | 2024-03-04\n", "(2 rows)\n"}))
      << run.out;
}

// The library reads one value slot per field of the file, so fewer values must not be passed.
TEST(RecordCommands, InsertAndUpdateRefuseValuesThatDoNotMatchTheBindTableFile) {
  TempFolder folder;
  const QhostRun run = RunScript(folder, kConnect +
                                             "bindfile log.bt Tag:char Level:float\n"
                                             "- insert Log log.bt T1\n"
                                             "update Log log.bt \"\" T1 1.5 9\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.out, {"log.bt names 2 fields, but 1 values were given",
                                        "log.bt names 2 fields, but 3 values were given"}))
      << run.out;
}

TEST(RecordCommands, ColumnsAndFieldsCanBeGivenOnTheCommandLine) {
  REQUIRE_EXPORTS("SQLCreateTableEx", "SQLInsertRecordEx", "SQLDropTable");
  TempFolder folder;
  const QhostRun run = RunScript(folder, kConnect +
                                             "createtableex Staff ID:numeric Name:char:20\n"
                                             "insertex Staff ID:numeric=7 \"Name:char=Ann Lee\"\n"
                                             "select Staff\n"
                                             "get ID Name\n"
                                             "droptable Staff\n"
                                             "! select Staff\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"ID = \"7\"\nName = \"Ann Lee\"\n", "no such table"}))
      << run.out;
}

TEST(RecordCommands, BindTableListsTheEntriesOfTheFile) {
  REQUIRE_EXPORTS("GetBindTable");
  TempFolder folder;
  const QhostRun run =
      RunScript(folder, "bindfile log.bt Tag:char:label Level:float\nbindtable log.bt\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"0 | Tag       | 2        | label\n",
                                        "1 | Level     | 0        | \n", "(2 entries)\n"}))
      << run.out;
}

}  // namespace
}  // namespace qhost::test
