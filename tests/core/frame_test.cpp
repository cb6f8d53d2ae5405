#include <algorithm>
#include <clocale>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "database_fixture.h"
#include "frame/last_error_text.h"

namespace quorlin::test {
namespace {

// The last-error text: at most 499 characters kept, handed to the host whole with its
// terminator or not at all, and left alone by whatever succeeds.
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

// The 500-byte buffer itself, compiled into this program from the library's source (the
// library keeps its copy to itself). Zeros follow every text, also a short one set after a
// long one.
TEST_F(LastErrorText, KeepsAtMost499BytesAndZeroFillsTheRest) {
  frame::LastErrorText text("Success");
  EXPECT_STREQ(text.Text(), "Success");
  struct Kept {
    std::string text;
    std::size_t length;
  };
  const Kept cases[] = {{std::string(600, 'x'), 499}, {std::string(500, 'y'), 499},
                        {std::string(499, 'z'), 499}, {"short", 5},
                        {std::string(498, 'w'), 498}, {"", 0}};
  for (const Kept& kept : cases) {
    SCOPED_TRACE("a text of " + std::to_string(kept.text.size()) + " characters");
    text.Set(kept.text);
    EXPECT_EQ(text.Length(), kept.length);
    EXPECT_EQ(text.Text(), kept.text.substr(0, kept.length));
    const char* raw = text.Text();
    for (std::size_t i = kept.length; i < frame::LastErrorText::kSize; ++i)
      ASSERT_EQ(raw[i], '\0') << i;
  }
}

// Through SQLLastError, for a short failure and for one cut at 499 characters: every size
// that leaves no room for the terminator, and a null buffer, fail and write nothing; the
// exact size gets the whole text and nothing beyond its terminator.
TEST_F(LastErrorText, HandedOverWholeWithItsTerminatorOrNotAtAll) {
  const std::string longTable(600, 'Q');
  struct Failure {
    const char* what;
    std::function<void()> provoke;
    std::size_t length;
    std::string expected;  // the text, or for a cut one a part of it
  };
  const Failure failures[] = {
      {"the marker", [] { MarkLastError(); }, std::strlen(kMarker), kMarker},
      {"a message naming a table of 600 characters",
       [&] { ASSERT_EQ(SQLSelectToTable(id_, longTable.c_str(), ""), -1); }, 499, "QQQQ"},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    failure.provoke();
    std::vector<char> buffer(failure.length + 16);
    const unsigned exact = static_cast<unsigned>(failure.length + 1);
    for (unsigned size : {0u, 1u, exact - 1}) {
      std::fill(buffer.begin(), buffer.end(), '#');
      EXPECT_EQ(SQLLastError(buffer.data(), size), -1) << "size " << size;
      EXPECT_EQ(buffer[0], '#') << "a failed copy writes nothing; size " << size;
    }
    EXPECT_EQ(SQLLastError(nullptr, static_cast<unsigned>(buffer.size())), -1);
    std::fill(buffer.begin(), buffer.end(), '#');
    ASSERT_EQ(SQLLastError(buffer.data(), exact), 0);
    EXPECT_EQ(std::strlen(buffer.data()), failure.length);
    EXPECT_NE(std::string(buffer.data()).find(failure.expected), std::string::npos)
        << buffer.data();
    EXPECT_EQ(buffer[exact], '#') << "nothing beyond the terminator is written";
  }
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
