#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// The demo's readings after its update and delete: T1 1.5, P7 2.5, T1 3.0, F3 4.0, P7 6.5.
QhostRun RunDemo(const TempFolder& folder) {
  return RunQhost(folder, {ExamplesFolder() + "/demo.qh"});
}

const std::string kBindTable = "$scriptdir/readings.bindtable";

// The transcript from the connect on: what comes before depends on the files left behind.
std::string FromConnect(const std::string& out) {
  const std::size_t connect = out.find("qhost> connect");
  return connect == std::string::npos ? out : out.substr(connect);
}

TEST(DemoScript, RunsToACleanDisconnect) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> disconnect\ndone\n"})) << run.out;
}

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

TEST(DemoScript, WritesCorrectsAndRemovesReadingsThroughTheBindTableFile) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
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

TEST(DemoScript, RunsAgainOnItsOwnDatabaseFile) {
  TempFolder folder;
  const QhostRun first = RunDemo(folder);
  const QhostRun second = RunDemo(folder);
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_TRUE(ContainsInOrder(first.out, {"no file qhost-demo.db\n"}));
  EXPECT_TRUE(ContainsInOrder(second.out, {"removed qhost-demo.db\n"}));
  EXPECT_EQ(FromConnect(second.out), FromConnect(first.out));
}

// Run as the main job runs it: a relative script path from the folder above the examples.
TEST(DemoScript, FindsItsGridFilesWhenRunByARelativePath) {
  TempFolder folder;
  for (const char* name : {"demo.qh", "readings.datasheet", "readings.bindtable"}) {
    folder.Write(std::string("examples/") + name, ReadFile(ExamplesFolder() + "/" + name));
  }
  const QhostRun run = RunQhost(folder, {"examples/demo.qh"});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(std::filesystem::exists(folder.File("qhost-demo.db")));
  EXPECT_EQ(FromConnect(run.out), FromConnect(RunDemo(folder).out));
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

}  // namespace
}  // namespace qhost::test
