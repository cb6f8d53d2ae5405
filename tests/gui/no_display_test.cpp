// Without a display, a debug-mode failure shows nothing and returns at once; the host is
// never aborted (plain gtk_init would end the process). Each case runs in a process of its
// own under gtest_discover_tests, so the environment each one sets is its own.
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <string>

#include "gui_test_support.h"
#include "quorlin.h"

namespace quorlin::test {
namespace {

using Clock = std::chrono::steady_clock;

// Far below any time an operator would need, far above a failed display lookup.
constexpr std::chrono::seconds kPrompt{5};

class NoDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    SQLSetDebug(1);
  }
  void TearDown() override { SQLSetDebug(0); }

  // Runs the failing export twice, as a host retrying would, and checks each outcome.
  void ExpectPromptFailureWithText() {
    for (int call = 0; call < 2; ++call) {
      const Clock::time_point start = Clock::now();
      EXPECT_EQ(SQLSelectToTable(12345, "T", ""), -1);
      EXPECT_LT(Clock::now() - start, kPrompt);
      EXPECT_EQ(LastError(), "Database not open");
    }
  }
};

TEST_F(NoDisplayTest, NoDisplayNamedSkipsTheBoxAndKeepsTheText) {
  ExpectPromptFailureWithText();
}

TEST_F(NoDisplayTest, UnreachableDisplayCountsAsNoDisplay) {
  // No X server listens on display 31999 here, so the toolkit fails to start.
  setenv("DISPLAY", ":31999", 1);
  std::setlocale(LC_ALL, "C");
  std::setlocale(LC_NUMERIC, "C.UTF-8");
  const std::string localeBefore = std::setlocale(LC_ALL, nullptr);

  ExpectPromptFailureWithText();

  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), localeBefore);
}

}  // namespace
}  // namespace quorlin::test
