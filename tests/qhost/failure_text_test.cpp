#include <gtest/gtest.h>

#include "library_profiles.h"
#include "qhost_runner.h"

namespace qhost::test {
namespace {

std::size_t Occurrences(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos;
       at = text.find(piece, at + piece.size())) {
    ++count;
  }
  return count;
}

const std::string kLogTable =
    "connect Driver=SQLite3;Database=failures.db\n"
    "exec CREATE TABLE Log (Tag VARCHAR(8))\n"
    "exec INSERT INTO Log VALUES ('T1')\n";

class FailureText : public ::testing::TestWithParam<LibraryProfile> {
 protected:
  QhostRun Run(const std::string& script) {
    return RunScriptWith(m_folder, GetParam().library, kLogTable + script);
  }
  TempFolder m_folder;
};

TEST_P(FailureText, EveryRepeatOfAFailurePrintsItsText) {
  const QhostRun run = Run("- select Missing\n- select Missing\n- select Missing\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  const std::string failure = "-1 (error: [SQLite]no such table: Missing (1))";
  EXPECT_EQ(Occurrences(run.out, "\n" + failure), 3u) << run.out;
  // The repeats are told apart from the first only by a note, never by a missing text.
  EXPECT_TRUE(ContainsInOrder(run.out, {failure + "\n", failure + " (same text as before)\n",
                                        failure + " (same text as before)\n"}))
      << run.out;
  EXPECT_EQ(run.out.find("no new error"), std::string::npos) << run.out;
}

TEST_P(FailureText, AFailureThatReportsNothingShowsTheTextItLeftAsItWas) {
  const QhostRun run = Run("- select Missing\n- use Nothing\nlasterror\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"qhost> - use Nothing\n-1 (error: [SQLite]no such table: Missing (1)) (same text "
                "as before)\n",
                "qhost> lasterror\n[SQLite]no such table: Missing (1)\n"}))
      << run.out;
}

// SQLDisplay has no result: without a display each call fails with the same text, and each
// must still be seen as a failure.
TEST_P(FailureText, EveryRepeatOfADisplayThatCannotBeShownIsAFailure) {
  const QhostRun run = Run("select Log\n! display\n! display 5\nlasterror\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  const std::string notShown = "not shown: SQLDisplay cannot show the View data dialog";
  EXPECT_EQ(Occurrences(run.out, notShown), 2u) << run.out;
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"qhost> ! display\n" + notShown, "qhost> ! display 5\n" + notShown,
                                "qhost> lasterror\nSQLDisplay cannot show"}))
      << run.out;
}

INSTANTIATE_TEST_SUITE_P(Profiles, FailureText, BothProfiles(), ProfileName);

}  // namespace
}  // namespace qhost::test
