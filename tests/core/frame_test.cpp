#include <clocale>
#include <cstring>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

class LastErrorText : public ::testing::Test {
 protected:
  void SetUp() override {
    SQLCleanup();
    id_ = SQLConnectToDatabase(SqliteBackend().connect.c_str());
    ASSERT_GE(id_, 0) << LastError();
  }
  void TearDown() override {
    SQLSetDebug(0);
    SQLCleanup();
  }
  int id_ = -1;
};

TEST_F(LastErrorText, LongMessagesAreCutAt499Characters) {
  const std::string table(600, 'Q');
  ASSERT_EQ(SQLSelectToTable(id_, table.c_str(), ""), -1);
  char buffer[600];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(SQLLastError(buffer, 499), -1);
  EXPECT_EQ(buffer[0], '#') << "a failed copy writes nothing";
  ASSERT_EQ(SQLLastError(buffer, 500), 0);
  EXPECT_EQ(std::strlen(buffer), 499u);
  EXPECT_NE(std::string(buffer).find("QQQQ"), std::string::npos) << buffer;
}

TEST_F(LastErrorText, NeedsRoomForTheTerminator) {
  MarkLastError();
  const std::size_t length = std::strlen(kMarker);
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(SQLLastError(buffer, static_cast<unsigned>(length)), -1);
  EXPECT_EQ(SQLLastError(buffer, 0), -1);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(SQLLastError(nullptr, 64), -1);
  ASSERT_EQ(SQLLastError(buffer, static_cast<unsigned>(length + 1)), 0);
  EXPECT_STREQ(buffer, kMarker);
  EXPECT_EQ(buffer[length + 1], '#') << "nothing beyond the terminator is written";
}

TEST_F(LastErrorText, SuccessLeavesTheLastFailureInPlace) {
  MarkLastError();
  EXPECT_EQ(SQLExcute(id_, "CREATE TABLE Ok (ID INTEGER)"), 0);
  EXPECT_EQ(SQLConnectToDatabase(SqliteBackend().connect.c_str()) >= 0, true);
  EXPECT_EQ(LastError(), kMarker);
}

TEST_F(LastErrorText, DebugFlagOtherThanOneStillRecords) {
  for (int flag : {2, -1, 0}) {
    SQLSetDebug(flag);
    MarkLastError();
    EXPECT_EQ(SQLExcute(id_, "no statement at all"), -1);
    EXPECT_NE(LastError(), kMarker) << flag;
  }
}

// The message table follows the locale's language and arrives in its character set.
class Messages : public ::testing::Test {
 protected:
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
  void SwitchTo(const char* locale) {
    if (std::setlocale(LC_ALL, locale) == nullptr) {
      if (ServersRequired()) FAIL() << "locale " << locale << " is not installed";
      GTEST_SKIP() << "locale " << locale << " is not installed";
    }
  }
};

// The legacy profile has neither message, in any language: both failures stay silent.
TEST_F(Messages, EnglishByDefault) {
  std::setlocale(LC_ALL, "C");
  MarkLastError();
  SQLSelectToTable(-1, "T", "");
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  SQLCleanup();  // no current recordset after a cleanup
  MarkLastError();
  EXPECT_EQ(SQLMoveTo(1), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("When table is empty"));
}

TEST_F(Messages, ChineseInUtf8) {
  SwitchTo("zh_CN.UTF-8");
  MarkLastError();
  SQLSelectToTable(-1, "T", "");
  EXPECT_EQ(LastError(), SilentInLegacy("数据库未打开"));
}

TEST_F(Messages, ChineseInGbk) {
  SwitchTo("zh_CN.GBK");
  MarkLastError();
  SQLSelectToTable(-1, "T", "");
  EXPECT_EQ(LastError(), SilentInLegacy("\xca\xfd\xbe\xdd\xbf\xe2\xce\xb4\xb4\xf2\xbf\xaa"));
  SQLCleanup();
  MarkLastError();
  SQLMoveRecord(QUORLIN_MOVE_NEXT);
  EXPECT_EQ(LastError(), SilentInLegacy("\xb5\xb1\xc7\xb0\xb1\xed\xb5\xa5\xce\xaa\xbf\xd5"));
}

TEST_F(Messages, EnglishWhenTheCharacterSetCannotHoldChinese) {
  SwitchTo("zh_CN.UTF-8");
  std::setlocale(LC_CTYPE, "C");
  MarkLastError();
  SQLSelectToTable(-1, "T", "");
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
}

}  // namespace
}  // namespace quorlin::test
