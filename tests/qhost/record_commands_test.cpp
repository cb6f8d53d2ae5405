#include <gtest/gtest.h>

#include "grid_bytes.h"
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

TEST(RecordCommands, GetRowsAndDumpReadTheFieldsABindTableFileNames) {
  REQUIRE_EXPORTS("GetBindTable", "SQLGet", "SQLInsertRecordEx");
  TempFolder folder;
  const QhostRun run = RunScript(folder, kConnect +
                                             "exec CREATE TABLE Log (Tag CHAR(8), Level FLOAT, "
                                             "Note CHAR(20))\n"
                                             "insertex Log Tag:char=T1 Level:float=1.5 "
                                             "Note:char=first\n"
                                             "insertex Log Tag:char=P7 Level:float=2.5 "
                                             "Note:char=second\n"
                                             "bindfile log.bt Level:float Tag:char\n"
                                             "select Log\n"
                                             "get @log.bt\n"
                                             "rows @log.bt\n"
                                             "dump Log @log.bt\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"qhost> get @log.bt\nLevel = \"1.5\"\nTag = \"T1\"\n",
                                "qhost> rows @log.bt\nLevel | Tag\n", "2.5   | P7\n(2 rows)\n",
                                "qhost> dump Log @log.bt\n", "1.5   | T1\n2.5   | P7\n(2 rows)\n"}))
      << run.out;
  // Only the file's fields are read, not the table's other column.
  const std::string reads = run.out.substr(run.out.find("qhost> select Log"));
  EXPECT_EQ(reads.find("first"), std::string::npos) << run.out;
}

TEST(RecordCommands, ABindTableFileThatCannotBeReadStopsGetBeforeAnyRead) {
  REQUIRE_EXPORTS("GetBindTable", "SQLGet");
  TempFolder folder;
  const std::string whole = GridBytes(3, 4, 12);
  folder.Write("cut.bt", whole.substr(0, whole.size() - 1));
  const QhostRun run = RunScript(folder, kConnect +
                                             "exec CREATE TABLE Log (Tag CHAR(8))\n"
                                             "exec INSERT INTO Log VALUES ('T1')\n"
                                             "select Log\n"
                                             "- get @missing.bt\n"
                                             "- get @cut.bt\n"
                                             "- get @cut.bt Tag\n"
                                             "- dump Log @missing.bt\n"
                                             "get\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"qhost> - get @missing.bt\n0 (",
                "qhost> - get @cut.bt\n0 (error: ", "@BINDFILE stands alone, without field names",
                "qhost> - dump Log @missing.bt\n0 (", "qhost> get\nmissing FIELD or @BINDFILE\n"}))
      << run.out;
  const std::string reads = run.out.substr(run.out.find("qhost> select Log"));
  EXPECT_EQ(reads.find("T1"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace qhost::test
