// The operator pages through the dialog with its buttons and leaves it with Close or Esc;
// the recordset stays where the paging left it.
#include "view_data_fixture.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;

TEST_F(ViewDataDialogTest, ThirtyFiveRecordsWalkedByTheButtons) {
  SelectRecords(35);
  // Next page three times, then Last page four times, then Next page again.
  const int presses[] = {kNextPageButton, kNextPageButton, kNextPageButton, kPrevPageButton,
                         kPrevPageButton, kPrevPageButton, kPrevPageButton, kNextPageButton};
  // Sized before the steps take references to its elements.
  std::vector<DialogState> pages(1 + std::size(presses));
  std::vector<DialogOperator::Step> script = {Read(pages[0])};
  for (std::size_t i = 0; i < std::size(presses); ++i) {
    script.insert(script.end(), {Press(presses[i]), Read(pages[i + 1])});
  }
  script.push_back(Press(kCloseButton));

  Display(10, script);

  EXPECT_EQ(pages[0].title, Expected().title);
  EXPECT_EQ(pages[0].headings, (std::vector<std::wstring>{L"ID", L"Name"}));
  ASSERT_FALSE(pages[0].rows.empty());
  EXPECT_EQ(pages[0].rows[0], (std::vector<std::wstring>{L"1", L"name 1"}));
  EXPECT_EQ(pages[0].Control(kTableNameEdit).text, L"T");
  const struct {
    int first, last;
    const wchar_t* pageNo;
    bool nextEnabled, prevEnabled;
  } expected[] = {
      {1, 10, L"0", true, false},  {11, 20, L"1", true, true}, {21, 30, L"2", true, true},
      {31, 35, L"3", false, true}, {26, 35, L"2", true, true}, {16, 25, L"1", true, true},
      {6, 15, L"0", true, true},   {1, 5, L"-1", true, false}, {1, 10, L"0", true, true}};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(pages[i].FirstColumn(), IdTexts(expected[i].first, expected[i].last));
    EXPECT_EQ(pages[i].Control(kPageNoEdit).text, expected[i].pageNo);
    EXPECT_EQ(pages[i].Control(kNextPageButton).enabled, expected[i].nextEnabled);
    EXPECT_EQ(pages[i].Control(kPrevPageButton).enabled, expected[i].prevEnabled);
    EXPECT_TRUE(pages[i].Control(kPageNoEdit).shown);
  }
  EXPECT_TRUE(m_operator.Boxes().empty());
  EXPECT_EQ(CurrentField("ID"), "11");
}

TEST_F(ViewDataDialogTest, TheLastShowsTheFinalRecordAndTheFirstThePageNumber) {
  SelectRecords(35);
  DialogState last, previous, first;
  Display(10, {Press(kNextPageButton), Press(kLastButton), Read(last), Press(kPrevPageButton),
               Read(previous), Press(kFirstButton), Read(first), Press(kCloseButton)});

  // The legacy library ends the action where its fill runs off the end after the one record:
  // Next page stays enabled and the page number shown.
  const bool finished = !Expected().legacy;
  EXPECT_EQ(last.FirstColumn(), IdTexts(35, 35));
  EXPECT_EQ(last.Control(kNextPageButton).enabled, !finished);
  EXPECT_EQ(last.Control(kPageNoEdit).shown, !finished);
  EXPECT_EQ(last.Control(kPageNoLabel).shown, !finished);
  EXPECT_EQ(previous.FirstColumn(), IdTexts(26, 35));
  EXPECT_EQ(previous.Control(kPageNoEdit).text, L"0");
  EXPECT_EQ(previous.Control(kPageNoEdit).shown, !finished);
  EXPECT_EQ(first.FirstColumn(), IdTexts(1, 10));
  EXPECT_TRUE(first.Control(kPageNoEdit).shown);
  EXPECT_TRUE(first.Control(kPageNoLabel).shown);
  EXPECT_FALSE(first.Control(kPrevPageButton).enabled);
}

// "No data" on opening and again for The first, each in a box of its own with only OK.
TEST_F(ViewDataDialogTest, EmptyResultSaysNoDataAndDisablesTheNavigation) {
  Exec("CREATE TABLE T (ID INTEGER)");
  ASSERT_EQ(Library().select(m_id, "T", ""), 0) << LastError();
  DialogState opened;
  std::size_t boxesAtOpening = 0;
  Display(10, {Read(opened), Do([&](HWND) { boxesAtOpening = m_operator.Boxes().size(); }),
               Press(kFirstButton), Press(kCloseButton)});

  EXPECT_EQ(boxesAtOpening, 1u);
  const std::vector<ShownBox> boxes = m_operator.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const ShownBox& box : boxes) EXPECT_EQ(box.text, Expected().noData);
  EXPECT_TRUE(opened.rows.empty());
  for (int id : {kFirstButton, kLastButton, kNextPageButton, kPrevPageButton}) {
    EXPECT_FALSE(opened.Control(id).enabled) << id;
  }
  EXPECT_TRUE(opened.Control(kCloseButton).enabled);
}

// Each way out ends the dialog, and SQLDisplay returns with the recordset after the page.
TEST_F(ViewDataDialogTest, CloseAndEscEndTheDialog) {
  SelectRecords(35);
  const struct {
    const char* way;
    DialogOperator::Step leave;
  } ways[] = {{"Close", Press(kCloseButton)}, {"Esc", PressEscape()}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    Display(10, {Press(kFirstButton), Press(kNextPageButton), way.leave});
    EXPECT_EQ(CurrentField("ID"), "21");
  }
}

}  // namespace
}  // namespace quorlin::test
