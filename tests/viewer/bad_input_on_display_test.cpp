// What a host may hand SQLDisplay: odd row counts, no or a closed recordset, no records, very
// wide and long results, Chinese text, and a locale of its own.
#include <climits>
#include <clocale>
#include <cstdio>

#include "view_data_gui_fixture.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(ViewDataGui, EmptyResultShowsNoDataAndLeavesOnlyPreviewPrintAndClose) {
  SelectRecords(3);
  ASSERT_EQ(SQLSelectToTable(m_id, "T", "WHERE ID > 100"), 0) << LastError();
  const int dismissedBefore = DismissedBoxCount();
  DialogState state;
  Display(10, {Do([&](wxDialog& dialog) { state = ReadState(dialog); }), Pressing(kCloseButton)});

  EXPECT_EQ(DismissedBoxCount(), dismissedBefore + 1) << "the box waited for the operator";
  ASSERT_EQ(m_boxes.ShownBoxes().size(), 1u);
  EXPECT_EQ(m_boxes.ShownBoxes()[0].message, "No data");
  EXPECT_THAT(state.rows, IsEmpty());
  EXPECT_THAT(state.headings, ElementsAre("ID", "Name"));
  for (int id : {kFirstButton, kLastButton, kNextPageButton, kPrevPageButton}) {
    EXPECT_FALSE(state.enabled[id]) << id;
  }
  for (int id : {kPreviewButton, kPrintButton, kCloseButton}) EXPECT_TRUE(state.enabled[id]) << id;
}

TEST_F(ViewDataGui, RowCountsBelowOneShowOneRowAndAHugeOneShowsEverything) {
  SelectRecords(35);
  DialogState zero, negative, huge, afterHuge;
  const auto close = Pressing(kCloseButton);
  Display(0, {Do([&](wxDialog& dialog) { zero = ReadState(dialog); }), close});
  Display(-5, {Do([&](wxDialog& dialog) { negative = ReadState(dialog); }), close});
  Display(INT_MAX,
          {Do([&](wxDialog& dialog) { huge = ReadState(dialog); }), Pressing(kNextPageButton),
           Do([&](wxDialog& dialog) { afterHuge = ReadState(dialog); }), close});

  EXPECT_EQ(zero.FirstColumn(), IdTexts(1, 1));
  EXPECT_EQ(negative.FirstColumn(), IdTexts(1, 1));
  EXPECT_EQ(huge.FirstColumn(), IdTexts(1, 35));
  EXPECT_THAT(afterHuge.rows, IsEmpty());
  EXPECT_EQ(afterHuge.pageNo, "1");
  EXPECT_FALSE(afterHuge.enabled[kNextPageButton]);
}

TEST_F(ViewDataGui, NoCurrentRecordsetShowsNoDialogAndSaysSo) {
  SQLCleanup();
  SQLDisplay(10);
  EXPECT_EQ(m_driver.DialogsOpened(), 0);
  EXPECT_EQ(LastError(), "Current recordset is null!");
  EXPECT_THAT(m_boxes.ShownBoxes(), IsEmpty());
}

TEST_F(ViewDataGui, ClosedAggregateResultOpensEmptyAndStaysUsable) {
  SelectRecords(5);
  double count = 0;
  ASSERT_EQ(SQLAggregate(m_id, "T", QUORLIN_COUNT, "ID", &count, ""), 0) << LastError();
  ASSERT_EQ(count, 5.0);
  DialogState opened, afterPaging;

  Display(INT_MAX,
          {Do([&](wxDialog& dialog) { opened = ReadState(dialog); }), Pressing(kNextPageButton),
           Pressing(kPrevPageButton), Pressing(kPrevPageButton), Pressing(kLastButton),
           Pressing(kFirstButton), Do([&](wxDialog& dialog) { afterPaging = ReadState(dialog); }),
           Pressing(kCloseButton)});

  EXPECT_EQ(opened.headings.size(), 1u);
  EXPECT_THAT(opened.rows, IsEmpty());
  EXPECT_EQ(opened.tableName, "datasheet");
  EXPECT_THAT(afterPaging.rows, IsEmpty());
  EXPECT_EQ(afterPaging.pageNo, "0");
  EXPECT_EQ(LastError(), "The recordset is not open.");
  EXPECT_THAT(m_boxes.ShownBoxes(), IsEmpty());
}

TEST_F(ViewDataGui, TwoHundredColumnsLongValuesAndChineseText) {
  std::string columns, values;
  for (int i = 0; i < 200; ++i) {
    columns += (i ? ", C" : "C") + std::to_string(i) + " TEXT";
    values += (i ? ", '" : "'") + std::to_string(i) + "'";
  }
  Exec("CREATE TABLE W (" + columns + ")");
  const std::string longValue(10000, 'w');
  const std::string chinese = "\xe4\xb8\xad\xe6\x96\x87";  // 中文
  Exec("INSERT INTO W VALUES (" + values + ")");
  Exec("UPDATE W SET C1 = '" + longValue + "', C2 = '" + chinese + "'");
  ASSERT_EQ(SQLSelectToTable(m_id, "W", ""), 0) << LastError();
  DialogState state;
  Display(10, {Do([&](wxDialog& dialog) {
                 state = ReadState(dialog);
                 SaveScreenshot(dialog, ArtefactPath("view-data-wide.png"));
               }),
               Pressing(kCloseButton)});

  ASSERT_EQ(state.headings.size(), 200u);
  EXPECT_EQ(state.headings[199], "C199");
  ASSERT_EQ(state.rows.size(), 1u);
  EXPECT_EQ(state.rows[0][1], wxString(longValue));
  EXPECT_EQ(state.rows[0][2], Utf8(chinese.c_str()));
  EXPECT_EQ(state.rows[0][199], "199");
}

TEST_F(ViewDataGui, HostLocaleIsTheSameAfterTheDialog) {
  if (!LocaleInstalled("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  SelectRecords(3);
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
  const std::string before = std::setlocale(LC_ALL, nullptr);

  Display(10, {Pressing(kNextPageButton), Pressing(kCloseButton)});

  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
  char number[32];
  std::snprintf(number, sizeof number, "%.2f", 1234.5);
  EXPECT_STREQ(number, "1234,50");
}
}  // namespace
}  // namespace quorlin::test
