#include <gtest/gtest.h>

#include <filesystem>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

const std::string kConnect = "connect Driver=SQLite3;Database=rules.db\n";
const std::string kLogTable = kConnect +
                              "exec CREATE TABLE Log (tag VARCHAR(8), \"plant tag\" VARCHAR(20))\n"
                              "exec INSERT INTO Log VALUES ('T1', 'boiler house')\n";

TEST(ScriptRules, AFailingCommandStopsTheScriptWithTheDatabasesMessage) {
  TempFolder folder;
  const QhostRun run =
      RunScript(folder, kLogTable + "# a comment\n\nselect Missing\necho not reached\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"qhost> select Missing\n-1 (error: ", "no such table: Missing"}))
      << run.out;
  EXPECT_EQ(run.out.find("not reached"), std::string::npos) << run.out;
  EXPECT_TRUE(ContainsInOrder(run.err, {"script.qh:6: stopped at an unexpected result"}))
      << run.err;
}

TEST(ScriptRules, ADashLineGoesOnWhateverTheResult) {
  TempFolder folder;
  const QhostRun run =
      RunScript(folder, kLogTable + "- select Missing\n- select Log\necho reached\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"no such table: Missing", "ok\n", "reached\n"})) << run.out;
}

TEST(ScriptRules, AnExclamationLineExpectsAFailure) {
  TempFolder folder;
  const QhostRun expected = RunScript(folder, kLogTable + "! select Missing\necho reached\n");
  EXPECT_EQ(expected.status, 0) << expected.out << expected.err;
  EXPECT_TRUE(ContainsInOrder(expected.out, {"no such table", "reached\n"})) << expected.out;

  const QhostRun surprising = RunScript(folder, kConnect + "! select Log\necho not reached\n");
  EXPECT_EQ(surprising.status, 1);
  EXPECT_TRUE(
      ContainsInOrder(surprising.out, {"ok\nexpected a failure, but the command succeeded\n"}))
      << surprising.out;
  EXPECT_EQ(surprising.out.find("not reached"), std::string::npos);
}

TEST(ScriptRules, UnknownCommandsAndWrongArgumentsAreFailures) {
  TempFolder folder;
  const QhostRun unknown = RunScript(folder, "frobnicate now\n");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_TRUE(ContainsInOrder(unknown.out, {"unknown command 'frobnicate'"})) << unknown.out;

  const QhostRun wrong = RunScript(folder, "- moveto third\n- field \"open quote\nmove\n");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_TRUE(ContainsInOrder(wrong.out,
                              {"position 'third' is not a whole number", "usage: moveto POSITION",
                               "a double quote is not closed", "missing DIRECTION"}))
      << wrong.out;
}

TEST(ScriptRules, WithoutAConnectionIdTheCurrentConnectionIsUsed) {
  TempFolder folder;
  const QhostRun run = RunScript(folder, "! select Log\n" + kLogTable +
                                             "select 0 Log\nselect $id Log\nselect Log\n"
                                             "disconnect\n! select Log\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"no current connection", "connection 0 (now $id)", "qhost> select 0 Log\nok\n",
                "qhost> select $id Log\nok\n", "qhost> select Log\nok\n", "no current connection"}))
      << run.out;
}

TEST(ScriptRules, QuotedWordsKeepTheirBlanks) {
  TempFolder folder;
  const QhostRun run = RunScript(folder, kLogTable + "select Log\nfield \"plant tag\"\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"plant tag = \"boiler house\"\n"})) << run.out;
}

TEST(ScriptRules, SourceFindsAScriptBesideTheOneThatSourcesIt) {
  TempFolder folder;
  folder.Write("parts/inner.qh", "echo inside\nselect Missing\necho inner not reached\n");
  folder.Write("parts/outer.qh", kConnect + "source inner.qh\necho outer not reached\n");
  const QhostRun run = RunQhost(folder, {folder.File("parts/outer.qh")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.out, {"inside\n", "no such table: Missing"})) << run.out;
  EXPECT_EQ(run.out.find("not reached"), std::string::npos) << run.out;
  EXPECT_TRUE(ContainsInOrder(run.err, {"inner.qh:2:", "outer.qh:2:"})) << run.err;
}

TEST(ScriptRules, ScriptDirIsTheFolderOfTheScriptThatHoldsTheLine) {
  TempFolder folder;
  folder.Write("jobs/inner/fields.qh", "bindfile $scriptdir/made.bt Tag:char\necho $scriptdir\n");
  folder.Write("jobs/main.qh", "source inner/fields.qh\ngrid $scriptdir/inner/made.bt\n");
  const QhostRun run = RunQhost(folder, {"jobs/main.qh"});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(std::filesystem::exists(folder.File("jobs/inner/made.bt")));
  // The transcript shows each line as written; the command gets the folder.
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"qhost> bindfile $scriptdir/made.bt Tag:char\n",
                "wrote jobs/inner/made.bt: 1 fields\n", "qhost> echo $scriptdir\njobs/inner\n",
                "qhost> grid $scriptdir/inner/made.bt\n", "\"Tag\" 0"}))
      << run.out;

  const QhostRun piped = RunQhost(folder, {}, "echo $scriptdir/x\n");
  EXPECT_TRUE(ContainsInOrder(piped.out, {"qhost> echo $scriptdir/x\n./x\n"})) << piped.out;
}

TEST(ScriptRules, AScriptThatSourcesItselfIsStopped) {
  TempFolder folder;
  const QhostRun run = RunScript(folder, "echo again\nsource script.qh\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.out, {"scripts nested more than 32 deep"})) << run.out;
}

TEST(ScriptRules, ScriptsRunInOrderUntilOneFails) {
  TempFolder folder;
  const std::string first = folder.Write("first.qh", "echo first\n");
  const std::string failing = folder.Write("failing.qh", "select 7 Missing\n");
  const std::string last = folder.Write("last.qh", "echo last\n");
  const QhostRun run = RunQhost(folder, {first, failing, last});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.out, {"first\n", "-1 (error: Database not open)"})) << run.out;
  EXPECT_EQ(run.out.find("last\n"), std::string::npos) << run.out;
}

TEST(ScriptRules, QuitEndsEverythingWithTheStatusSoFar) {
  TempFolder folder;
  const std::string quitting = folder.Write("quitting.qh", "echo before\nquit\necho after\n");
  const std::string never = folder.Write("never.qh", "echo never\n");
  const QhostRun run = RunQhost(folder, {quitting, never});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(ContainsInOrder(run.out, {"before\n"}));
  EXPECT_EQ(run.out.find("after"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("never"), std::string::npos) << run.out;
}

TEST(PipedInput, EveryLineRunsAndIsEchoedBeforeItsResult) {
  TempFolder folder;
  const QhostRun run = RunQhost(folder, {},
                                kLogTable +
                                    "select Missing\nselect Log\nrowcount\nfield tag\n"
                                    "quit\necho never\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"qhost> select Missing\n-1 (error: ", "qhost> select Log\nok\n",
                "qhost> rowcount\nrows: 1\n", "qhost> field tag\ntag = \"T1\"\n", "qhost> quit\n"}))
      << run.out;
  EXPECT_EQ(run.out.find("never"), std::string::npos) << run.out;
}

TEST(PipedInput, HelpListsACommandForEveryExport) {
  TempFolder folder;
  const QhostRun run = RunQhost(folder, {}, "help\n");
  for (const char* summary : {"SQLSetDebug",
                              "SQLLastError",
                              "SQLConnectToDatabase",
                              "SQLDisconnectToDatabase",
                              "SQLCleanup",
                              "SQLGetConnect",
                              "SQLGetDataSourceDesc",
                              "SQLCreateTable:",
                              "SQLCreateTableEx",
                              "SQLDropTable",
                              "SQLSelectToTable",
                              "SQLAggregate",
                              "SQLExcute",
                              "SQLUseTable",
                              "SQLMoveRecord",
                              "SQLMoveTo",
                              "SQLGetRowCount",
                              "SQLGetFieldValue",
                              "SQLGet:",
                              "GetBindTable",
                              "SQLInsertRecord:",
                              "SQLInsertRecordEx",
                              "SQLUpdateRecord",
                              "SQLDeleteRecord",
                              "SQLDisplay"}) {
    EXPECT_NE(run.out.find(summary), std::string::npos) << summary;
  }
}

TEST(PipedInput, HelpShowsTheCsvOptionAndTheTimer) {
  TempFolder folder;
  const QhostRun run = RunQhost(folder, {}, "help rows\nhelp dump\nhelp timer\n");
  EXPECT_TRUE(ContainsInOrder(run.out, {"usage: rows [--csv[=FILE]] FIELD...", "CSV",
                                        "usage: dump [--csv[=FILE]] [id] TABLE FIELD...",
                                        "usage: timer [on|off]", "elapsed time"}))
      << run.out;
}

}  // namespace
}  // namespace qhost::test
