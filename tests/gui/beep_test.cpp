// The platform beep reaches the display: a second X client hears the server's bell. Runs
// under run_with_watcher.sh for its display. Links the library's code directly, because no
// export beeps on its own (the data viewer will).
#include <gtest/gtest.h>

#include <chrono>

#include "bell_listener.h"
#include "platform/message_box.h"
#include "watcher_log.h"

namespace quorlin::test {
namespace {

using std::chrono::milliseconds;

TEST(BeepTest, MessageBeepRingsTheDisplaysBell) {
  QUORLIN_REQUIRE_WATCHER();
  BellListener listener;
  ASSERT_TRUE(listener.Listening()) << "no XKB on the display";
  ASSERT_FALSE(listener.BellRang(milliseconds(200))) << "a bell rang before the beep";

  platform::MessageBeep();

  EXPECT_TRUE(listener.BellRang(milliseconds(5000)));
}

}  // namespace
}  // namespace quorlin::test
