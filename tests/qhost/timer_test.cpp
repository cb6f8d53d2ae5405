#include <gtest/gtest.h>

#include <regex>

#include "library_profiles.h"
#include "qhost_runner.h"

namespace qhost::test {
namespace {

// A script line and whether its output must end with an elapsed time.
struct TimedLine {
  const char* line;
  bool timed;
};

const std::vector<TimedLine> kLines = {
    {"echo before", false},
    {"timer on", false},  // the timer was off when it started
    {"connect Driver=SQLite3;Database=timer.db", true},
    {"exec CREATE TABLE Log (Tag VARCHAR(8))", true},
    {"- select Missing", true},
    {"- frobnicate", true},
    {"echo during", true},
    {"timer", true},
    {"timer off", false},
    {"echo after", false},
};

// Each command's output: the text between its echoed line and the next prompt.
std::vector<std::string> OutputsOf(const std::string& out) {
  std::vector<std::string> outputs;
  for (std::size_t at = out.find("qhost> "); at != std::string::npos;) {
    const std::size_t lineEnd = out.find('\n', at);
    const std::size_t next = out.find("qhost> ", lineEnd);
    outputs.push_back(out.substr(
        lineEnd + 1, next == std::string::npos ? std::string::npos : next - lineEnd - 1));
    at = next;
  }
  return outputs;
}

class Timer : public ::testing::TestWithParam<LibraryProfile> {};

TEST_P(Timer, EveryCommandWhileTheTimerIsOnEndsWithItsElapsedTime) {
  TempFolder folder;
  std::string script;
  for (const TimedLine& line : kLines) script += std::string(line.line) + "\n";
  const QhostRun run = RunScriptWith(folder, GetParam().library, script);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  const std::vector<std::string> outputs = OutputsOf(run.out);
  ASSERT_EQ(outputs.size(), kLines.size()) << run.out;
  const std::regex elapsed("\\([0-9]+\\.[0-9] ms\\)\n");
  const std::regex endsTimed("[\\s\\S]*\\([0-9]+\\.[0-9] ms\\)\\n");
  for (std::size_t i = 0; i < kLines.size(); ++i) {
    SCOPED_TRACE(kLines[i].line);
    EXPECT_EQ(std::regex_match(outputs[i], endsTimed), kLines[i].timed) << outputs[i];
    // At most one time per command, and never in the middle of its output.
    const auto times =
        std::distance(std::sregex_iterator(outputs[i].begin(), outputs[i].end(), elapsed),
                      std::sregex_iterator());
    EXPECT_EQ(times, kLines[i].timed ? 1 : 0) << outputs[i];
  }
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> timer on\ntimer on\n", "qhost> timer\ntimer on\n",
                                        "qhost> timer off\ntimer off\n"}))
      << run.out;
}

TEST_P(Timer, TakesOnlyOnOrOff) {
  TempFolder folder;
  const QhostRun run = RunScriptWith(folder, GetParam().library, "timer\n! timer maybe\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"qhost> timer\ntimer off\n",
                                        "'maybe' is neither on nor off\nusage: timer [on|off]\n"}))
      << run.out;
}

INSTANTIATE_TEST_SUITE_P(Profiles, Timer, BothProfiles(), ProfileName);

}  // namespace
}  // namespace qhost::test
