#pragma once

// What a test program learns from run_with_watcher.sh, the script that plays the operator.
namespace quorlin::test {

// Where a missing tool, display or locale fails the test instead of skipping it (CI).
bool GuiRequired();

// True when the program runs under the watcher, which is the only one to dismiss boxes.
bool UnderWatcher();

// How many message boxes the watcher has dismissed so far. It writes a line just before it
// presses Return on a box, so a count that grew by one across a call proves that the call
// showed one box and waited for the operator. -1 when not under the watcher.
int DismissedBoxCount();

}  // namespace quorlin::test

// Skips when the program does not run under the watcher (no display, nobody to dismiss a
// box), or fails where the GUI tests are required.
#define QUORLIN_REQUIRE_WATCHER()                                                      \
  do {                                                                                 \
    if (!::quorlin::test::UnderWatcher()) {                                            \
      if (::quorlin::test::GuiRequired()) FAIL() << "run through run_with_watcher.sh"; \
      GTEST_SKIP() << "run through run_with_watcher.sh, which gives the display";      \
    }                                                                                  \
  } while (false)
