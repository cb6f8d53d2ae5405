// The buttons, page controls, messages and sounds each action leaves, row by row of the
// dialog's state table, and the two fields.
#include "paging_fixture.h"

namespace quorlin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class ButtonStates : public PagingTest {
 protected:
  void ExpectNavigation(bool first, bool last, bool next, bool prev) {
    EXPECT_EQ(m_surface.Enabled(kFirstButton), first);
    EXPECT_EQ(m_surface.Enabled(kLastButton), last);
    EXPECT_EQ(m_surface.Enabled(kNextPageButton), next);
    EXPECT_EQ(m_surface.Enabled(kPrevPageButton), prev);
  }
  void OpenEmpty() {
    MakeRecords(0);
    Select("SELECT * FROM T", 10);
    m_dialog.OnInitDialog();
  }
};

TEST_P(ButtonStates, NoRecordsShowNoDataAndDisableTheFourNavigationButtons) {
  OpenEmpty();
  EXPECT_THAT(m_surface.Rows(), IsEmpty());
  EXPECT_THAT(m_surface.Messages(), ElementsAre(kNoData));
  ExpectNavigation(false, false, false, false);
  if (!LegacyProfile()) {  // the legacy dialog has no print buttons
    EXPECT_TRUE(m_surface.Enabled(kPreviewButton));
    EXPECT_TRUE(m_surface.Enabled(kPrintButton));
  }
  EXPECT_TRUE(m_surface.Shown(kPageNoEdit));
  EXPECT_EQ(m_dialog.m_pageNo, 0);
  EXPECT_EQ(m_surface.Columns().size(), 2u) << "the columns are there without records";

  m_dialog.OnLast();
  EXPECT_THAT(m_surface.Messages(), ElementsAre(kNoData, kNoData));
  ExpectNavigation(false, false, false, false);
  EXPECT_FALSE(m_surface.Shown(kPageNoEdit));
  EXPECT_FALSE(m_surface.Shown(kPageNoLabel));
}

TEST_P(ButtonStates, PagingAnEmptyResultEndsSilentlyWithTheListCleared) {
  OpenEmpty();
  MarkLastError();
  m_surface.TakeTouchedControls();

  m_dialog.OnNextPage();
  m_dialog.OnPrevPage();

  EXPECT_THAT(m_surface.Rows(), IsEmpty());
  EXPECT_EQ(m_dialog.m_pageNo, 0);
  EXPECT_EQ(m_surface.Beeps(), 0);
  EXPECT_THAT(m_surface.TakeTouchedControls(), IsEmpty());
  EXPECT_EQ(LastError(), std::string("marker"));
  EXPECT_THAT(m_surface.Messages(), ElementsAre(kNoData));
}

TEST_P(ButtonStates, FillingAtTheEndSaysToTheEndAndEnablesTheNavigationButtons) {
  Open(3, 10);
  m_dialog.OnLast();  // reads the last record and stands at the end; page controls hidden
  ASSERT_TRUE(m_recordset->IsEOF());
  m_surface.EnableControl(kPrevPageButton, false);
  m_surface.EnableControl(kNextPageButton, false);
  m_surface.TakeTouchedControls();

  m_dialog.FillPage();

  EXPECT_THAT(m_surface.Rows(), IsEmpty());
  EXPECT_THAT(m_surface.Messages(), ElementsAre(kToTheEnd));
  ExpectNavigation(true, true, true, true);
  // The page controls are not among them.
  EXPECT_THAT(m_surface.TakeTouchedControls(),
              UnorderedElementsAre(kFirstButton, kLastButton, kNextPageButton, kPrevPageButton));
  EXPECT_EQ(m_dialog.m_pageNo, 0);
}

TEST_P(ButtonStates, TheFirstShowsThePageNumberAndDisablesOnlyLastPage) {
  Open(35, 10);
  m_dialog.OnNextPage();
  m_dialog.OnLast();
  m_surface.TakeTouchedControls();

  m_dialog.OnFirst();

  ExpectNavigation(true, true, true, false);
  EXPECT_TRUE(m_surface.Shown(kPageNoEdit));
  EXPECT_TRUE(m_surface.Shown(kPageNoLabel));
  EXPECT_EQ(m_dialog.m_pageNo, 0);
  EXPECT_EQ(m_surface.PageNoField(), "0");
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
  EXPECT_EQ(m_surface.Beeps(), 0);
}

// A fill of one row a page ends on its last row; any larger page runs off the end, which in
// the legacy profile ends The last before Next page is disabled and the page number hidden.
TEST_P(ButtonStates, TheLastKeepsThePageNumberAndDisablesNextPage) {
  for (int rowsPerPage : {1, 10}) {
    SCOPED_TRACE(rowsPerPage);
    StartOver();
    Open(35, rowsPerPage);
    m_dialog.OnNextPage();
    m_dialog.OnNextPage();

    m_dialog.OnLast();

    const bool endedByTheFill = LegacyProfile() && rowsPerPage > 1;
    ExpectNavigation(true, true, endedByTheFill, true);
    EXPECT_EQ(m_surface.ShownIds(), std::vector<int>{35});
    EXPECT_EQ(m_dialog.m_pageNo, 2);
    EXPECT_EQ(m_surface.Shown(kPageNoEdit), endedByTheFill);
    EXPECT_EQ(m_surface.Shown(kPageNoLabel), endedByTheFill);
    EXPECT_EQ(m_surface.Beeps(), 0);
  }
}

TEST_P(ButtonStates, NextPageTouchesOnlyLastPageAndAtTheEndNextPage) {
  Open(25, 10);
  m_surface.TakeTouchedControls();

  m_dialog.OnNextPage();
  EXPECT_THAT(m_surface.TakeTouchedControls(), ElementsAre(kPrevPageButton));
  EXPECT_EQ(m_surface.Beeps(), 0);

  m_dialog.OnNextPage();  // 21-25: the end
  EXPECT_THAT(m_surface.TakeTouchedControls(),
              UnorderedElementsAre(kPrevPageButton, kNextPageButton));
  ExpectNavigation(true, true, false, true);
  EXPECT_EQ(m_surface.Beeps(), 1);
  EXPECT_EQ(m_dialog.m_pageNo, 2);
}

TEST_P(ButtonStates, PrevPageTouchesOnlyNextPageAndAtTheBeginningLastPage) {
  Open(25, 10);
  m_dialog.OnNextPage();
  m_dialog.OnNextPage();
  m_surface.TakeTouchedControls();

  m_dialog.OnPrevPage();  // 16-25
  EXPECT_THAT(m_surface.TakeTouchedControls(), ElementsAre(kNextPageButton));
  EXPECT_EQ(m_surface.Beeps(), 1) << "only the beep at the end so far";

  m_dialog.OnPrevPage();  // 6-15
  m_dialog.OnPrevPage();  // 1-5: the beginning
  EXPECT_THAT(m_surface.TakeTouchedControls(),
              UnorderedElementsAre(kNextPageButton, kPrevPageButton));
  ExpectNavigation(true, true, true, false);
  EXPECT_EQ(m_surface.Beeps(), 2);
  EXPECT_EQ(m_dialog.m_pageNo, -1);
}

TEST_P(ButtonStates, PageActionsNeverTouchThePageControls) {
  Open(35, 10);
  m_dialog.OnLast();
  m_surface.TakeTouchedControls();

  m_dialog.OnPrevPage();
  m_dialog.OnPrevPage();
  m_dialog.OnNextPage();

  const std::set<int> touched = m_surface.TakeTouchedControls();
  EXPECT_EQ(touched.count(kPageNoEdit), 0u);
  EXPECT_EQ(touched.count(kPageNoLabel), 0u);
  EXPECT_EQ(touched.count(kFirstButton), 0u);
  EXPECT_EQ(touched.count(kLastButton), 0u);
}

TEST_P(ButtonStates, ATypedTableNameCountsOnceTakenBackAndAPageChangePutsTheStoredOneBack) {
  Open(35, 10);
  EXPECT_EQ(m_surface.TableNameField(), "T");

  m_surface.TypeTableName("Typed name");
  m_dialog.UpdateMembers();
  EXPECT_EQ(m_dialog.m_tableName, "Typed name");

  m_surface.TypeTableName("Typed again");
  m_dialog.OnNextPage();
  EXPECT_EQ(m_surface.TableNameField(), "Typed name");
  EXPECT_EQ(m_surface.PageNoField(), "1");
  m_dialog.UpdateMembers();
  EXPECT_EQ(m_dialog.m_pageNo, 1);
}

// The legacy profile has no "datasheet" text to put there.
TEST_P(ButtonStates, AResultWithoutATableNameShowsDatasheet) {
  MakeRecords(3);
  Select("SELECT ID, ID * 2 AS Twice FROM T ORDER BY ID", 10);
  ASSERT_EQ(m_dialog.m_tableName, "");

  m_dialog.OnInitDialog();

  const std::string expected = LegacyProfile() ? "" : "datasheet";
  EXPECT_EQ(m_dialog.m_tableName, expected);
  EXPECT_EQ(m_surface.TableNameField(), expected);
  EXPECT_EQ(m_surface.Columns()[1].heading, "Twice");
  EXPECT_EQ(m_surface.Rows()[2], (std::vector<std::string>{"3", "6"}));
}

QUORLIN_ON_EACH_CURSOR(ButtonStates);

}  // namespace
}  // namespace quorlin::test
