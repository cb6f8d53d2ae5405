// Paging through a real result: forward and back a page at a time, relative to wherever the
// recordset stands.
#include "paging_fixture.h"

namespace quorlin::test {
namespace {

using ::testing::IsEmpty;

class PagingWalk : public PagingTest {
 protected:
  // What a page action left: the ids shown, the page number member and field.
  void ExpectPage(const std::vector<int>& ids, int pageNo) {
    EXPECT_EQ(m_surface.ShownIds(), ids);
    EXPECT_EQ(m_dialog.m_pageNo, pageNo);
    EXPECT_EQ(m_surface.PageNoField(), std::to_string(pageNo));
  }
};

TEST_P(PagingWalk, ThirtyFiveRecordsTenPerPageForwardToTheEndAndBackToTheStart) {
  Open(35, 10);
  ExpectPage(Ids(1, 10), 0);
  EXPECT_FALSE(m_surface.Enabled(kPrevPageButton));
  EXPECT_TRUE(m_surface.Enabled(kNextPageButton));
  EXPECT_EQ(m_surface.Rows()[0], (std::vector<std::string>{"1", "name 1"}));

  m_dialog.OnNextPage();
  ExpectPage(Ids(11, 20), 1);
  EXPECT_TRUE(m_surface.Enabled(kPrevPageButton));
  m_dialog.OnNextPage();
  ExpectPage(Ids(21, 30), 2);
  EXPECT_EQ(m_surface.Beeps(), 0);
  m_dialog.OnNextPage();
  ExpectPage(Ids(31, 35), 3);
  EXPECT_FALSE(m_surface.Enabled(kNextPageButton));
  EXPECT_EQ(m_surface.Beeps(), 1);

  m_dialog.OnPrevPage();
  ExpectPage(Ids(26, 35), 2);
  EXPECT_TRUE(m_surface.Enabled(kNextPageButton));
  m_dialog.OnPrevPage();
  ExpectPage(Ids(16, 25), 1);
  m_dialog.OnPrevPage();
  ExpectPage(Ids(6, 15), 0);
  EXPECT_TRUE(m_surface.Enabled(kPrevPageButton));
  EXPECT_EQ(m_surface.Beeps(), 1);
  m_dialog.OnPrevPage();
  ExpectPage(Ids(1, 5), -1);
  EXPECT_FALSE(m_surface.Enabled(kPrevPageButton));
  EXPECT_EQ(m_surface.Beeps(), 2);

  m_dialog.OnNextPage();
  ExpectPage(Ids(1, 10), 0);
  EXPECT_TRUE(m_surface.Enabled(kPrevPageButton));
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
  EXPECT_EQ(m_surface.Rows()[4], (std::vector<std::string>{"5", "name 5"}));
}

TEST_P(PagingWalk, StartingOverReadsBackwardFromTheCurrentRecord) {
  Open(35, 10);
  m_dialog.OnNextPage();
  ExpectPage(Ids(11, 20), 1);
  EXPECT_EQ(CurrentId(), 21);

  m_dialog.OnPrevPage();

  ExpectPage(Ids(12, 21), 0);
}

TEST_P(PagingWalk, AFullFirstPageLeavesTheRecordsetOnTheFirstRecordOfTheNext) {
  Open(35, 10);
  EXPECT_EQ(CurrentId(), 11);
}

// The legacy profile ends The last when its fill runs off the end of a short page, before
// Next page is disabled and the page number hidden.
TEST_P(PagingWalk, TheLastShowsTheFinalRecordAndHidesThePageNumberUntilTheFirst) {
  Open(35, 10);
  m_dialog.OnNextPage();
  m_surface.TakeTouchedControls();

  m_dialog.OnLast();
  ExpectPage({35}, 1);
  EXPECT_EQ(m_surface.Enabled(kNextPageButton), LegacyProfile());
  EXPECT_TRUE(m_surface.Enabled(kPrevPageButton));
  EXPECT_TRUE(m_surface.Enabled(kFirstButton));
  EXPECT_TRUE(m_surface.Enabled(kLastButton));
  EXPECT_EQ(m_surface.Shown(kPageNoEdit), LegacyProfile());
  EXPECT_EQ(m_surface.Shown(kPageNoLabel), LegacyProfile());
  EXPECT_TRUE(m_recordset->IsEOF()) << "a short page ends at the end";

  m_dialog.OnPrevPage();
  ExpectPage(Ids(26, 35), 0);
  EXPECT_EQ(m_surface.Shown(kPageNoEdit), LegacyProfile());
  EXPECT_EQ(m_surface.Shown(kPageNoLabel), LegacyProfile());
  EXPECT_TRUE(m_surface.Enabled(kNextPageButton));

  m_dialog.OnFirst();
  ExpectPage(Ids(1, 10), 0);
  EXPECT_TRUE(m_surface.Shown(kPageNoEdit));
  EXPECT_TRUE(m_surface.Shown(kPageNoLabel));
  EXPECT_FALSE(m_surface.Enabled(kPrevPageButton));
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
}

// The legacy profile's The first ends silently where its fill runs off the end of the short
// page, before it disables Last page.
TEST_P(PagingWalk, SevenRecordsTenPerPageShowAllAndTheNextPageIsEmpty) {
  MarkLastError();
  Open(7, 10);
  ExpectPage(Ids(1, 7), 0);
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
  EXPECT_EQ(LastError(), std::string("marker"));
  EXPECT_TRUE(m_surface.Enabled(kNextPageButton));
  EXPECT_EQ(m_surface.Enabled(kPrevPageButton), LegacyProfile());

  m_dialog.OnNextPage();

  ExpectPage({}, 1);
  EXPECT_FALSE(m_surface.Enabled(kNextPageButton));
  EXPECT_TRUE(m_surface.Enabled(kPrevPageButton));
  EXPECT_EQ(m_surface.Beeps(), 1);
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
}

TEST_P(PagingWalk, RowsPerPageBelowOneShowOneRow) {
  for (int rows : {0, -1, -2147483647 - 1}) {
    SCOPED_TRACE(rows);
    StartOver();
    Open(3, rows);
    EXPECT_EQ(m_dialog.m_rowsPerPage, 1);
    ExpectPage({1}, 0);
    m_dialog.OnNextPage();
    ExpectPage({2}, 1);
    m_dialog.OnPrevPage();
    ExpectPage({3}, 0);
  }
}

TEST_P(PagingWalk, HugeRowsPerPageShowEverythingAtOnce) {
  Open(35, 2147483647);
  ExpectPage(Ids(1, 35), 0);
  EXPECT_TRUE(m_recordset->IsEOF());
  EXPECT_THAT(m_surface.Messages(), IsEmpty());

  m_dialog.OnNextPage();
  ExpectPage({}, 1);
  EXPECT_EQ(m_surface.Beeps(), 1);

  m_dialog.OnPrevPage();
  ExpectPage(Ids(1, 35), 0);
  EXPECT_EQ(m_surface.Beeps(), 2);
  EXPECT_FALSE(m_surface.Enabled(kPrevPageButton));
}

QUORLIN_ON_EACH_CURSOR(PagingWalk);

}  // namespace
}  // namespace quorlin::test
