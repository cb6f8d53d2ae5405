#include <gtest/gtest.h>

#include <regex>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// LANG means nothing to the C runtime on Windows, which takes the user's settings instead:
// these cases are built for the other systems only.
#ifndef _WIN32
#define REQUIRE_LOCALE(name) \
  ASSERT_TRUE(LocaleInstalled(name)) << name << " is missing: install locales and run locale-gen"

// A failure of each profile in one locale, and the bytes its message must come out as.
struct MessageCase {
  const char* name;
  bool legacy;
  const char* locale;
  const char* script;
  std::string expected;
};

void PrintTo(const MessageCase& message, std::ostream* out) {
  *out << message.name;
}

const char kNotOpen[] = "select 7 Missing\n";
const std::vector<MessageCase> kMessageCases = {
    {"FullInChineseUtf8", false, "zh_CN.UTF-8", kNotOpen,
     "-1 (error: \xe6\x95\xb0\xe6\x8d\xae\xe5\xba\x93\xe6\x9c\xaa\xe6\x89\x93\xe5\xbc\x80)\n"},
    {"FullInChineseGbk", false, "zh_CN.GBK", kNotOpen,
     "-1 (error: \xca\xfd\xbe\xdd\xbf\xe2\xce\xb4\xb4\xf2\xbf\xaa)\n"},
    {"FullInGerman", false, "de_DE.UTF-8", kNotOpen, "-1 (error: Database not open)\n"},
    {"FullInC", false, "C", kNotOpen, "-1 (error: Database not open)\n"},
    // The legacy texts are GBK bytes in every locale.
    {"LegacyInChineseUtf8", true, "zh_CN.UTF-8", "lasterror\n",
     "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6\n"},
    {"LegacyInC", true, "C", "lasterror\n", "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6\n"},
};

class LocaleMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(LocaleMessages, TheLibrarysMessagesFollowTheLocaleQhostRunsIn) {
  const MessageCase& message = GetParam();
  REQUIRE_LOCALE(message.locale);
  TempFolder folder;
  const QhostRun run = RunScriptWith(folder, message.legacy ? LegacyLibraryPath() : LibraryPath(),
                                     message.script, LocaleEnvironment(message.locale));
  EXPECT_EQ(run.err.find("not installed"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, std::string("qhost> ") + message.script + message.expected);
}

INSTANTIATE_TEST_SUITE_P(Locale, LocaleMessages, ::testing::ValuesIn(kMessageCases),
                         [](const ::testing::TestParamInfo<MessageCase>& info) {
                           return std::string(info.param.name);
                         });

// qhost's own numbers, read and written, in a locale with a decimal comma and others.
struct NumberCase {
  const char* name;
  bool legacy;
  const char* locale;
};

void PrintTo(const NumberCase& number, std::ostream* out) {
  *out << number.name;
}

class LocaleNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LocaleNumbers, ReadAndPrintWithADecimalPointInEveryLocale) {
  const NumberCase& number = GetParam();
  REQUIRE_LOCALE(number.locale);
  TempFolder folder;
  const QhostRun run = RunScriptWith(folder, number.legacy ? LegacyLibraryPath() : LibraryPath(),
                                     "connect Driver=SQLite3;Database=numbers.db\n"
                                     "createtableex Log Tag:char:8 Level:float\n"
                                     "insertex Log Tag:char=T1 Level:float=1.5\n"
                                     "insertex Log Tag:char=P7 Level:float=3.25\n"
                                     "select Log\n"
                                     "moveto 2\n"
                                     "field Tag 8\n"
                                     "rows --csv Tag Level\n"
                                     "timer on\n"
                                     "aggregate Log avg Level\n"
                                     "timer off\n",
                                     LocaleEnvironment(number.locale));
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(ContainsInOrder(
      run.out,
      {"qhost> moveto 2\nok\n", "qhost> field Tag 8\nTag = \"P7\"\n",
       "Tag,Level\nT1,1.5\nP7,3.25\n", "qhost> aggregate Log avg Level\navg(Level) = 2.375\n"}))
      << run.out;
  EXPECT_TRUE(
      std::regex_search(run.out, std::regex("avg\\(Level\\) = 2\\.375\n\\([0-9]+\\.[0-9] ms\\)\n")))
      << run.out;
}

INSTANTIATE_TEST_SUITE_P(Locale, LocaleNumbers,
                         ::testing::Values(NumberCase{"FullInGerman", false, "de_DE.UTF-8"},
                                           NumberCase{"LegacyInGerman", true, "de_DE.UTF-8"},
                                           NumberCase{"FullInChinese", false, "zh_CN.UTF-8"},
                                           NumberCase{"LegacyInChinese", true, "zh_CN.UTF-8"}),
                         [](const ::testing::TestParamInfo<NumberCase>& info) {
                           return std::string(info.param.name);
                         });

#endif  // _WIN32

}  // namespace
}  // namespace qhost::test
