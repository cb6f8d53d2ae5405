// Runs on a real display under run_with_watcher.sh, which photographs every message box into
// the test's artefact folder and dismisses it with Return. Each case runs in a process of its
// own (see CMakeLists.txt), so each one starts the toolkit afresh.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/defs.h>
#include <wx/log.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "gui_test_support.h"
#include "quorlin.h"

namespace quorlin::test {
namespace {

constexpr int kNoSuchConnection = 12345;

int SelectOnNoConnection() {
  return SQLSelectToTable(kNoSuchConnection, "T", "");
}

std::string CurrentLocale() {
  return std::setlocale(LC_ALL, nullptr);
}

std::string FormattedNumber() {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", 1234.5);
  return text;
}

// A locale whose name differs from "C", for the host's LC_NUMERIC.
const char* OtherNumericLocale() {
  for (const char* name : {"de_DE.UTF-8", "zh_CN.UTF-8", "C.UTF-8"}) {
    if (LocaleInstalled(name)) return name;
  }
  return nullptr;
}

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_WATCHER();
    SQLSetDebug(1);
  }
  void TearDown() override { SQLSetDebug(0); }

  MessageBoxRecorder m_recorder;
};

TEST_F(MessageBoxTest, FailureWaitsForTheOperatorToDismissItsMessageBox) {
  const int dismissedBefore = DismissedBoxCount();

  EXPECT_EQ(SelectOnNoConnection(), -1);

  EXPECT_EQ(DismissedBoxCount(), dismissedBefore + 1);
  EXPECT_EQ(LastError(), "Database not open");
  ASSERT_EQ(m_recorder.ShownBoxes().size(), 1u);
  const MessageBoxRecorder::Shown& box = m_recorder.ShownBoxes()[0];
  EXPECT_EQ(box.caption, wxString("Quorlin"));
  EXPECT_EQ(box.message, wxString("Database not open"));
  EXPECT_TRUE(box.style & wxOK);
  EXPECT_FALSE(box.style & (wxCANCEL | wxYES_NO));
}

TEST_F(MessageBoxTest, SecondFailureShowsAnotherBoxOnTheSameToolkit) {
  const int dismissedBefore = DismissedBoxCount();

  EXPECT_EQ(SelectOnNoConnection(), -1);
  const wxAppConsole* firstApp = wxAppConsole::GetInstance();
  EXPECT_EQ(SelectOnNoConnection(), -1);

  ASSERT_NE(firstApp, nullptr);
  EXPECT_EQ(wxAppConsole::GetInstance(), firstApp);
  EXPECT_EQ(DismissedBoxCount(), dismissedBefore + 2);
  EXPECT_EQ(m_recorder.ShownBoxes().size(), 2u);
  EXPECT_EQ(LastError(), "Database not open");
}

// The toolkit's own log target shows every error it logs in a window of its own, which in a
// host is a stray pop-up that no one asked for.
TEST_F(MessageBoxTest, ToolkitStartedForABoxKeepsItsErrorsOutOfWindows) {
  EXPECT_EQ(SelectOnNoConnection(), -1);

  ASSERT_EQ(m_recorder.ShownBoxes().size(), 1u);
  EXPECT_EQ(dynamic_cast<wxLogGui*>(wxLog::GetActiveTarget()), nullptr);
}

TEST_F(MessageBoxTest, HostLocaleIsTheSameAfterEachBox) {
  const char* numeric = OtherNumericLocale();
  ASSERT_NE(numeric, nullptr) << "not even C.UTF-8 is installed";
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, numeric), nullptr);
  const std::string before = CurrentLocale();
  const std::string numberBefore = FormattedNumber();

  EXPECT_EQ(SelectOnNoConnection(), -1);
  EXPECT_EQ(CurrentLocale(), before);
  EXPECT_EQ(SelectOnNoConnection(), -1);
  EXPECT_EQ(CurrentLocale(), before);
  EXPECT_EQ(FormattedNumber(), numberBefore);
  EXPECT_EQ(m_recorder.ShownBoxes().size(), 2u);
  std::setlocale(LC_ALL, "C");
}

TEST_F(MessageBoxTest, ChineseMessageInGbkCodePageShowsAsChinese) {
  if (!LocaleInstalled("zh_CN.GBK")) {
    if (GuiRequired()) FAIL() << "locale zh_CN.GBK is required";
    GTEST_SKIP() << "locale zh_CN.GBK is not installed";
  }
  ASSERT_NE(std::setlocale(LC_ALL, "zh_CN.GBK"), nullptr);

  EXPECT_EQ(SelectOnNoConnection(), -1);

  // The host receives GBK bytes; the box must show the characters they stand for.
  EXPECT_EQ(LastError(), "\xca\xfd\xbe\xdd\xbf\xe2\xce\xb4\xb4\xf2\xbf\xaa");
  ASSERT_EQ(m_recorder.ShownBoxes().size(), 1u);
  EXPECT_EQ(m_recorder.ShownBoxes()[0].message,
            wxString::FromUTF8("\xe6\x95\xb0\xe6\x8d\xae\xe5\xba\x93\xe6\x9c\xaa\xe6\x89\x93"
                               "\xe5\xbc\x80"));
  std::setlocale(LC_ALL, "C");
}

TEST_F(MessageBoxTest, DebugFlagOffShowsNoBox) {
  SQLSetDebug(0);
  const int dismissedBefore = DismissedBoxCount();

  EXPECT_EQ(SelectOnNoConnection(), -1);

  EXPECT_EQ(LastError(), "Database not open");
  EXPECT_TRUE(m_recorder.ShownBoxes().empty());
  EXPECT_EQ(DismissedBoxCount(), dismissedBefore);
}

}  // namespace
}  // namespace quorlin::test
