// The dialog as the template describes it, in English and in Chinese, and its list when the
// dialog changes size.
#include <wx/button.h>

#include <iostream>

#include "resources/view_data_template.h"
#include "view_data_gui_fixture.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// wxWidgets on GTK makes a window without a sizing border fixed-size for the window manager,
// which then offers no maximizing (and Xvfb has no window manager at all), so the dialog is
// resized the way maximizing and restoring would resize it.
TEST_F(ViewDataGui, TheListKeepsItsMarginsWhenTheDialogGrowsAndShrinks) {
  SelectRecords(3);
  DialogState original, grown, restored;
  int top = 0;
  int waits = 0;
  Display(10, {Do([&](wxDialog& dialog) {
                 original = ReadState(dialog);
                 top = ExpectedListTop(dialog, ViewDataTemplate(false));
                 dialog.SetClientSize(1000, 700);
               }),
               [&](wxDialog& dialog) {
                 grown = ReadState(dialog);
                 return grown.clientSize == wxSize(1000, 700) || ++waits > 20;
               },
               Do([&](wxDialog& dialog) { dialog.SetClientSize(original.clientSize); }),
               [&](wxDialog& dialog) {
                 restored = ReadState(dialog);
                 return restored.clientSize == original.clientSize || ++waits > 40;
               },
               Pressing(kCloseButton)});

  EXPECT_EQ(grown.clientSize, wxSize(1000, 700));
  EXPECT_EQ(restored.clientSize, original.clientSize);
  std::cout << "[ MEASURED ] list " << original.listRect.x << "," << original.listRect.y << " "
            << original.listRect.width << "x" << original.listRect.height << " in client "
            << original.clientSize.x << "x" << original.clientSize.y << "\n";
  for (const DialogState* state : {&original, &grown, &restored}) {
    EXPECT_EQ(state->listRect,
              wxRect(5, top, state->clientSize.x - 10, state->clientSize.y - 16 - top));
  }
}

TEST_F(ViewDataGui, BuiltFromTheEnglishTemplate) {
  SelectRecords(3);
  Display(10,
          {Do([](wxDialog& dialog) { ExpectBuiltFromTemplate(dialog, ViewDataTemplate(false)); }),
           Pressing(kCloseButton)});
}

TEST_F(ViewDataGui, ChineseInterfaceShowsTheChineseTemplateAndTexts) {
  if (!LocaleInstalled("zh_CN.UTF-8")) {
    if (GuiRequired()) FAIL() << "locale zh_CN.UTF-8 is required";
    GTEST_SKIP() << "locale zh_CN.UTF-8 is not installed";
  }
  ASSERT_NE(std::setlocale(LC_ALL, "zh_CN.UTF-8"), nullptr);
  const char* const chinese = "\xe4\xb8\xad\xe6\x96\x87\xe6\x95\xb0\xe6\x8d\xae";  // 中文数据
  Exec("CREATE TABLE T (ID INTEGER, Name TEXT)");
  Exec(std::string("INSERT INTO T VALUES (1, '") + chinese + "'), (2, 'plain')");
  ASSERT_EQ(SQLSelectToTable(m_id, "T", "ORDER BY ID"), 0);
  DialogState state;
  bool saved = false;
  Display(10, {Do([&](wxDialog& dialog) {
                 ExpectBuiltFromTemplate(dialog, ViewDataTemplate(true));
                 state = ReadState(dialog);
                 saved = SaveScreenshot(dialog, ArtefactPath("view-data-zh.png"));
               }),
               Pressing(kCloseButton)});

  EXPECT_TRUE(saved);
  std::cout << "[ MEASURED ] Chinese template: list " << state.listRect.x << "," << state.listRect.y
            << " " << state.listRect.width << "x" << state.listRect.height << " in client "
            << state.clientSize.x << "x" << state.clientSize.y << "\n";
  EXPECT_EQ(state.title, Utf8("\xe6\x9f\xa5\xe7\x9c\x8b\xe6\x95\xb0\xe6\x8d\xae"));  // 查看数据
  ASSERT_EQ(state.rows.size(), 2u);
  EXPECT_EQ(state.rows[0][1], Utf8(chinese));

  // An aggregate leaves a result without a table name: the Chinese "datasheet".
  double count = 0;
  ASSERT_EQ(SQLAggregate(m_id, "T", QUORLIN_COUNT, "ID", &count, ""), 0);
  Display(10, {Do([&](wxDialog& dialog) { state = ReadState(dialog); }), Pressing(kCloseButton)});
  EXPECT_EQ(state.tableName, Utf8("\xe6\x95\xb0\xe6\x8d\xae\xe8\xa1\xa8"));  // 数据表
}

TEST_F(ViewDataGui, ChineseEmptyResultShowsTheChineseNoDataBox) {
  if (!LocaleInstalled("zh_CN.UTF-8")) {
    if (GuiRequired()) FAIL() << "locale zh_CN.UTF-8 is required";
    GTEST_SKIP() << "locale zh_CN.UTF-8 is not installed";
  }
  ASSERT_NE(std::setlocale(LC_ALL, "zh_CN.UTF-8"), nullptr);
  Exec("CREATE TABLE T (ID INTEGER)");
  ASSERT_EQ(SQLSelectToTable(m_id, "T", ""), 0);
  Display(10, {Pressing(kCloseButton)});
  ASSERT_EQ(m_boxes.ShownBoxes().size(), 1u);
  EXPECT_EQ(m_boxes.ShownBoxes()[0].message, Utf8("\xe6\x97\xa0\xe6\x95\xb0\xe6\x8d\xae"));
}
}  // namespace
}  // namespace quorlin::test
