#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// An example script and the library it is written for.
struct Example {
  const char* name;
  std::string library;
  std::string script;    // in the examples folder
  std::string database;  // the file it makes afresh in the current folder
};

// Test names show the script, not the bytes of the parameter.
void PrintTo(const Example& example, std::ostream* out) {
  *out << example.script;
}

const Example kDemo = {"Demo", LibraryPath(), "demo.qh", "qhost-demo.db"};
const Example kLegacy = {"Legacy", LegacyLibraryPath(), "legacy.qh", "qhost-legacy.db"};

// The script run from the folder by this path (the example's own by default).
QhostRun RunExample(const Example& example, const TempFolder& folder,
                    const std::string& script = {}) {
  return RunQhost(folder,
                  {"--library", example.library,
                   script.empty() ? ExamplesFolder() + "/" + example.script : script},
                  "", false);
}

// The demo's readings after its update and delete: T1 1.5, P7 2.5, T1 3.0, F3 4.0, P7 6.5.
QhostRun RunDemo(const TempFolder& folder) {
  return RunExample(kDemo, folder);
}

const std::string kBindTable = "$scriptdir/readings.bindtable";

// The transcript from the connect on: what comes before depends on the files left behind.
std::string FromConnect(const std::string& out) {
  const std::size_t connect = out.find("qhost> connect");
  return connect == std::string::npos ? out : out.substr(connect);
}

// What every example does alike: the same readings written, corrected and removed, a run
// again on its own file, and its grid files found from wherever it is run.
class ExampleScript : public ::testing::TestWithParam<Example> {};

TEST_P(ExampleScript, RunsToACleanDisconnect) {
  TempFolder folder;
  const QhostRun run = RunExample(GetParam(), folder);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> disconnect\ndone\n"})) << run.out;
}

TEST_P(ExampleScript, WritesCorrectsAndRemovesReadingsThroughTheBindTableFile) {
  TempFolder folder;
  const QhostRun run = RunExample(GetParam(), folder);
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"qhost> insert Readings " + kBindTable + " T1 1.5 \"2024-03-01 08:00:00\"\nok\n",
                "qhost> insert Readings " + kBindTable + " X9 0.0 \"2024-03-01 10:00:00\"\nok\n",
                "qhost> update Readings " + kBindTable +
                    " \"Tag = 'P7' AND Level > 9\" P7 6.5 \"2024-03-01 10:00:00\"\nok\n",
                "qhost> delete Readings Tag = 'X9'\nok\n",
                "qhost> dump Readings @" + kBindTable +
                    "\n"
                    "Tag | Level | Stamp\n"
                    "----+-------+--------------------\n"
                    "T1  | 1.5   | 2024-03-01 08:00:00\n"
                    "P7  | 2.5   | 2024-03-01 08:00:00\n"
                    "T1  | 3.0   | 2024-03-01 09:00:00\n"
                    "F3  | 4.0   | 2024-03-01 09:00:00\n"
                    "P7  | 6.5   | 2024-03-01 10:00:00\n"
                    "(5 rows)\n"}))
      << run.out;
}

TEST_P(ExampleScript, RunsAgainOnItsOwnDatabaseFile) {
  TempFolder folder;
  const QhostRun first = RunExample(GetParam(), folder);
  const QhostRun second = RunExample(GetParam(), folder);
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_TRUE(ContainsInOrder(first.out, {"no file " + GetParam().database + "\n"}));
  EXPECT_TRUE(ContainsInOrder(second.out, {"removed " + GetParam().database + "\n"}));
  EXPECT_EQ(FromConnect(second.out), FromConnect(first.out));
}

// Run as the main job runs it: a relative script path from the folder above the examples.
TEST_P(ExampleScript, FindsItsGridFilesWhenRunByARelativePath) {
  TempFolder folder;
  for (const std::string& name :
       {GetParam().script, std::string("readings.datasheet"), std::string("readings.bindtable")}) {
    folder.Write("examples/" + name, ReadFile(ExamplesFolder() + "/" + name));
  }
  const QhostRun run = RunExample(GetParam(), folder, "examples/" + GetParam().script);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(std::filesystem::exists(folder.File(GetParam().database)));
  EXPECT_EQ(FromConnect(run.out), FromConnect(RunExample(GetParam(), folder).out));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleScript, ::testing::Values(kDemo, kLegacy),
                         [](const ::testing::TestParamInfo<Example>& info) {
                           return std::string(info.param.name);
                         });

TEST(DemoScript, CreatesItsTableFromTheDatasheetFileKeptBesideIt) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"qhost> grid $scriptdir/readings.datasheet\n",
                                "1       | \"1\" 0   | \"Tag\" 0   | \"\" 2        | \"8\" 0     |",
                                "(3 data rows of 6 columns: laid out as a datasheet file)\n",
                                "qhost> createtable Readings $scriptdir/readings.datasheet\nok\n",
                                "qhost> bindtable " + kBindTable + "\n",
                                "0 | Tag       | 2        | measuring point\n", "(3 entries)\n"}))
      << run.out;
}

TEST(DemoScript, CountsAndMovesThroughTheReadings) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  const std::string get = "qhost> get @" + kBindTable + "\n";
  EXPECT_TRUE(ContainsInOrder(
      run.out,
      {"qhost> rowcount\nrows: 5\n",
       "qhost> move first\nok\n" + get +
           "Tag = \"T1\"\nLevel = \"1.5\"\nStamp = \"2024-03-01 08:00:00\"\n",
       "qhost> move next\nok\nqhost> field Tag\nTag = \"P7\"\n",
       "qhost> move last\nok\n" + get +
           "Tag = \"P7\"\nLevel = \"6.5\"\nStamp = \"2024-03-01 10:00:00\"\n",
       "qhost> move prev\nok\n" + get + "Tag = \"F3\"\nLevel = \"4.0\"\n",
       "qhost> moveto 3\nok\n" + get + "Tag = \"T1\"\nLevel = \"3.0\"\n",
       "Stamp = \"2024-03-01\" (fills all 10 bytes, no terminator)\n",
       "qhost> use Readings\nok\nqhost> get Tag Level Stamp\nTag = \"T1\"\nLevel = \"3.0\"\n",
       "qhost> rowcount\nrows: 4\n", "P7  | 2.5   |", "P7  | 6.5   |", "(4 rows)\n"}))
      << run.out;
}

TEST(DemoScript, ShowsTheDatabasesMessageForAFieldTheTableLacks) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> - field Humidity\n0 (error: ", "Humidity"}))
      << run.out;
}

TEST(DemoScript, ComputesTheAggregatesOfTheReadings) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"avg(Level) = 3.5\n", "sum(Level) = 17.5\n", "min(Level) = 1.5\n",
                "max(Level) = 6.5\n", "count(Level) = 5\n", "countdistinct(Tag) = 3\n",
                "avg(Level) = 2.25\n", "count(Tag) = 4\n"}))
      << run.out;
}

// The kept grid files must be what their CSV files make, or an edit was not converted.
TEST(DemoScript, KeptGridFilesAreWhatTheirCsvFilesMake) {
  TempFolder folder;
  const std::string examples = ExamplesFolder() + "/";
  const QhostRun datasheet = RunQhost(
      folder, {"--csv2datasheet", examples + "readings-datasheet.csv", "readings.datasheet"});
  const QhostRun bindTable = RunQhost(
      folder, {"--csv2bindtable", examples + "readings-bindtable.csv", "readings.bindtable"});
  ASSERT_EQ(datasheet.status, 0) << datasheet.err;
  ASSERT_EQ(bindTable.status, 0) << bindTable.err;
  EXPECT_EQ(ReadFile(folder.File("readings.datasheet")), ReadFile(examples + "readings.datasheet"));
  EXPECT_EQ(ReadFile(folder.File("readings.bindtable")), ReadFile(examples + "readings.bindtable"));
}

// The legacy example shows where that library differs.
QhostRun RunLegacy(const TempFolder& folder) {
  return RunExample(kLegacy, folder);
}

TEST(LegacyScript, StartsWithTheLoadTextInGbkAndMovesThroughTheReadings) {
  TempFolder folder;
  const QhostRun run = RunLegacy(folder);
  const std::string get = "qhost> get @" + kBindTable + "\n";
  EXPECT_EQ(run.out.rfind("qhost> lasterror\n\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6\n", 0), 0u)
      << run.out;  // "执行成功"
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"qhost> createtable Readings $scriptdir/readings.datasheet\nok\n",
                                "qhost> select Readings\nok\nqhost> rowcount\nrows: 5\n",
                                "qhost> move first\nok\n" + get + "Tag = \"T1\"\nLevel = \"1.5\"\n",
                                "qhost> move next\nok\nqhost> field Tag\nTag = \"P7\"\n",
                                "qhost> move last\nok\n" + get + "Tag = \"P7\"\nLevel = \"6.5\"\n",
                                "qhost> move prev\nok\nqhost> field Tag\nTag = \"F3\"\n",
                                "qhost> moveto 3\nok\n" + get + "Tag = \"T1\"\nLevel = \"3.0\"\n"}))
      << run.out;
}

// Selecting another table, and an aggregate, free the result the connection held.
TEST(LegacyScript, KeepsOneResultPerConnection) {
  TempFolder folder;
  const QhostRun run = RunLegacy(folder);
  EXPECT_TRUE(ContainsInOrder(
      run.out,
      {"qhost> select Points\nok\n", "Description = \"Boiler feed temperature\"\n",
       "qhost> ! use Readings\n-1 (error: ", " (same text as before)\n", "qhost> use Points\nok\n",
       "qhost> aggregate Readings max Level Tag = 'T1'\nmax(Level) = 3\n",
       "qhost> rowcount\nrows: 1\n",
       "qhost> ! use Readings\n-1 (error: ", " (same text as before)\n"}))
      << run.out;
}

// No brackets round an aggregate's column, so it may be an expression; WHERE goes in front
// of a condition that starts with ORDER.
TEST(LegacyScript, WritesAggregatesAndConditionsBare) {
  TempFolder folder;
  const QhostRun run = RunLegacy(folder);
  EXPECT_TRUE(ContainsInOrder(
      run.out,
      {"qhost> ! select Readings ORDER BY Level\n-1 (error: ", "near \"ORDER\"",
       "qhost> select Readings WHERE Level > 2 ORDER BY Level\nok\n", "P7  | 2.5   |",
       "P7  | 6.5   |", "(4 rows)\n", "avg(Level) = 3.5\n",
       "qhost> aggregate Readings sum Level*2\nsum(Level*2) = 35\n", "countdistinct(Tag) = 3\n"}))
      << run.out;
}

}  // namespace
}  // namespace qhost::test
