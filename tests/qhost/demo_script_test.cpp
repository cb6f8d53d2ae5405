#include <gtest/gtest.h>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// The demo's readings: T1 1.5, P7 2.5, T1 3.0, F3 4.0, P7 6.5.
QhostRun RunDemo(const TempFolder& folder) {
  return RunQhost(folder, {ExamplesFolder() + "/demo.qh"});
}

TEST(DemoScript, RunsToACleanDisconnect) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> disconnect\ndone\n"})) << run.out;
}

TEST(DemoScript, CountsAndMovesThroughTheReadings) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_TRUE(ContainsInOrder(
      run.out,
      {"qhost> rowcount\nrows: 5\n",
       "qhost> move first\nok\nqhost> get tag level stamp\n"
       "tag = \"T1\"\nlevel = \"1.5\"\nstamp = \"2024-03-01 08:00:00\"\n",
       "qhost> move next\nok\nqhost> field tag\ntag = \"P7\"\n",
       "qhost> move last\nok\nqhost> get tag level stamp\ntag = \"P7\"\nlevel = \"6.5\"\n",
       "qhost> move prev\nok\nqhost> get tag level stamp\ntag = \"F3\"\nlevel = \"4.0\"\n",
       "qhost> moveto 3\nok\nqhost> get tag level stamp\ntag = \"T1\"\nlevel = \"3.0\"\n",
       "stamp = \"2024-03-01\" (fills all 10 bytes, no terminator)\n",
       "qhost> use Readings\nok\nqhost> get tag level stamp\ntag = \"T1\"\nlevel = \"3.0\"\n",
       "qhost> rowcount\nrows: 4\n", "(5 rows)\n"}))
      << run.out;
}

TEST(DemoScript, ShowsTheDatabasesMessageForAFieldTheTableLacks) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> - field humidity\n0 (error: ", "humidity"}))
      << run.out;
}

TEST(DemoScript, ComputesTheAggregatesOfTheReadings) {
  TempFolder folder;
  const QhostRun run = RunDemo(folder);
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"avg(level) = 3.5\n", "sum(level) = 17.5\n", "min(level) = 1.5\n",
                "max(level) = 6.5\n", "count(level) = 5\n", "countdistinct(tag) = 3\n",
                "avg(level) = 2.25\n", "count(tag) = 4\n"}))
      << run.out;
}

TEST(DemoScript, RunsAgainOnItsOwnDatabaseFile) {
  TempFolder folder;
  const QhostRun first = RunDemo(folder);
  const QhostRun second = RunDemo(folder);
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_TRUE(ContainsInOrder(first.out, {"no file qhost-demo.db\n"}));
  EXPECT_TRUE(ContainsInOrder(second.out, {"removed qhost-demo.db\n"}));
  const auto afterRemove = [](const std::string& out) { return out.substr(out.find("connect")); };
  EXPECT_EQ(afterRemove(second.out), afterRemove(first.out));
}

}  // namespace
}  // namespace qhost::test
