// Without a display SQLDisplay shows nothing, says why in the last-error text and returns at
// once; the host is never aborted and keeps its locale.
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <string>

#include "quorlin.h"
#include "temp_dir.h"

namespace quorlin::test {
namespace {

std::string LastError() {
  char buffer[QUORLIN_LAST_ERROR_SIZE] = {};
  return SQLLastError(buffer, sizeof buffer) == 0 ? buffer : "<SQLLastError failed>";
}

class NoDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("WAYLAND_DISPLAY");
    m_id = SQLConnectToDatabase(("Driver=SQLite3;Database=" + m_dir.Path("n.db")).c_str());
    ASSERT_GE(m_id, 0) << LastError();
    ASSERT_EQ(SQLExcute(m_id, "CREATE TABLE T (ID INTEGER)"), 0) << LastError();
    ASSERT_EQ(SQLExcute(m_id, "INSERT INTO T VALUES (1), (2)"), 0) << LastError();
    ASSERT_EQ(SQLSelectToTable(m_id, "T", ""), 0) << LastError();
  }
  void TearDown() override { SQLCleanup(); }

  // Two calls, as a host retrying would make.
  void ExpectNoDialog() {
    for (int call = 0; call < 2; ++call) {
      const auto start = std::chrono::steady_clock::now();
      SQLDisplay(10);
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
      EXPECT_EQ(LastError(),
                "SQLDisplay cannot show the View data dialog: no display is available "
                "(DISPLAY and WAYLAND_DISPLAY name none that can be opened).");
    }
    char value[16] = {};
    EXPECT_EQ(SQLGetFieldValue("ID", value, sizeof value - 1), 1) << "the recordset is intact";
    EXPECT_STREQ(value, "1");
  }

  TempDir m_dir;
  int m_id = -1;
};

TEST_F(NoDisplay, NoDisplayNamedShowsNothingAndSaysSo) {
  unsetenv("DISPLAY");
  SQLSetDebug(1);
  ExpectNoDialog();
  SQLSetDebug(0);
}

TEST_F(NoDisplay, UnreachableDisplayCountsAsNoDisplayAndTheLocaleStays) {
  setenv("DISPLAY", ":31998", 1);  // no X server listens there
  std::setlocale(LC_ALL, "C");
  std::setlocale(LC_NUMERIC, "C.UTF-8");
  const std::string before = std::setlocale(LC_ALL, nullptr);
  ExpectNoDialog();
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

}  // namespace
}  // namespace quorlin::test
