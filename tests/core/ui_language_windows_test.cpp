// Windows takes the user interface language when a program starts (Wine from LANG and
// LC_ALL then); setlocale inside the program changes nothing. The build runs this suite once
// per language and names it in QUORLIN_TEST_UI_LANGUAGE.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace quorlin::test {
namespace {

TEST(UserInterfaceLanguage, MessagesFollowTheLanguageTheProgramStartedIn) {
  const char* language = std::getenv("QUORLIN_TEST_UI_LANGUAGE");
  ASSERT_NE(language, nullptr) << "QUORLIN_TEST_UI_LANGUAGE names English or Chinese";
  const bool chinese = std::string(language) == "Chinese";
  ASSERT_TRUE(chinese || std::string(language) == "English") << language;
  // Chinese comes in the process's code page, 936 in that language.
  EXPECT_EQ(GetACP() == 936, chinese) << GetACP();
  MarkLastError();
  SQLSelectToTable(-1, "T", "");
  EXPECT_EQ(LastError(), SilentInLegacy(chinese ? "\xca\xfd\xbe\xdd\xbf\xe2\xce\xb4\xb4\xf2\xbf\xaa"
                                                : "Database not open"));
  SQLCleanup();
  MarkLastError();
  SQLMoveRecord(QUORLIN_MOVE_NEXT);
  EXPECT_EQ(LastError(), SilentInLegacy(chinese ? "\xb5\xb1\xc7\xb0\xb1\xed\xb5\xa5\xce\xaa\xbf\xd5"
                                                : "When table is empty"));
}

}  // namespace
}  // namespace quorlin::test
