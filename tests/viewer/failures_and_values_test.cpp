// Database failures while paging, and field texts shown exactly as the recordset gives them.
#include <clocale>

#include "paging_fixture.h"

namespace quorlin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kNotOpen[] = "The recordset is not open.";

// The recordset closed underneath the dialog: every move and every field read then fails.
class ClosedRecordset : public PagingTest {
 protected:
  // What the full profile's SQLAggregate leaves current: its one-row result, read and closed.
  void OpenClosedAggregate(int rowsPerPage) {
    MakeRecords(5);
    Select("SELECT COUNT(ID) FROM T", rowsPerPage);
    m_recordset->Close();
    MarkLastError();
    m_dialog.OnInitDialog();
  }
  // Closes the recordset of an open dialog, and notes what the dialog shows.
  void CloseUnderneath() {
    m_recordset->Close();
    MarkLastError();
    m_surface.TakeTouchedControls();
    m_idsBefore = m_surface.ShownIds();
    m_pageNoBefore = m_dialog.m_pageNo;
  }
  // The legacy profile ends the action at the failure: list, counter and controls stay.
  void ExpectNothingChanged() {
    EXPECT_EQ(m_surface.ShownIds(), m_idsBefore);
    EXPECT_EQ(m_dialog.m_pageNo, m_pageNoBefore);
    EXPECT_EQ(m_surface.PageNoField(), std::to_string(m_pageNoBefore));
    EXPECT_THAT(m_surface.TakeTouchedControls(), IsEmpty());
  }

  std::vector<int> m_idsBefore;
  int m_pageNoBefore = 0;
};

TEST_P(ClosedRecordset, OpeningReportsTheFailedMoveAndShowsAnEmptyPageWithoutMessages) {
  OpenClosedAggregate(10);
  EXPECT_EQ(LastError(), kNotOpen);
  EXPECT_THAT(m_surface.Rows(), IsEmpty());
  EXPECT_THAT(m_surface.Messages(), IsEmpty()) << "a failed fill ends silently";
  EXPECT_EQ(m_surface.Columns().size(), 1u);
  EXPECT_EQ(m_surface.TableNameField(), LegacyProfile() ? "" : "datasheet");
  EXPECT_EQ(m_dialog.m_pageNo, 0);
  // The legacy profile's The first ended at its failed move.
  EXPECT_EQ(m_surface.Enabled(kPrevPageButton), LegacyProfile());
}

TEST_P(ClosedRecordset, TheFirstReportsTheFailedMoveAndGoesOnOrInTheLegacyProfileEnds) {
  Open(35, 1);
  m_dialog.OnLast();      // hides the page number
  m_dialog.OnPrevPage();  // page -1, standing on record 34
  CloseUnderneath();

  m_dialog.OnFirst();

  EXPECT_EQ(LastError(), kNotOpen);
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
  if (LegacyProfile()) {
    ExpectNothingChanged();
    EXPECT_FALSE(m_surface.Shown(kPageNoEdit));
    EXPECT_TRUE(m_surface.Enabled(kPrevPageButton));
  } else {
    EXPECT_THAT(m_surface.Rows(), IsEmpty());
    EXPECT_EQ(m_dialog.m_pageNo, 0);
    EXPECT_EQ(m_surface.PageNoField(), "0");
    EXPECT_TRUE(m_surface.Shown(kPageNoEdit));
    EXPECT_TRUE(m_surface.Shown(kPageNoLabel));
    EXPECT_FALSE(m_surface.Enabled(kPrevPageButton));
  }
}

TEST_P(ClosedRecordset, TheLastReportsTheFailedMoveAndGoesOnOrInTheLegacyProfileEnds) {
  Open(35, 1);
  m_dialog.OnNextPage();
  CloseUnderneath();

  m_dialog.OnLast();

  EXPECT_EQ(LastError(), kNotOpen);
  EXPECT_THAT(m_surface.Messages(), IsEmpty());
  if (LegacyProfile()) {
    ExpectNothingChanged();
  } else {
    EXPECT_THAT(m_surface.Rows(), IsEmpty());
    EXPECT_EQ(m_dialog.m_pageNo, 1);
    EXPECT_FALSE(m_surface.Enabled(kNextPageButton));
    EXPECT_FALSE(m_surface.Shown(kPageNoEdit));
    EXPECT_FALSE(m_surface.Shown(kPageNoLabel));
  }
}

// A failed row: reported, and the page counted and shown with the rows read so far (none);
// in the legacy profile the action ends silently with the list cleared.
TEST_P(ClosedRecordset, APageActionWhoseRowFailsReportsItOrInTheLegacyProfileEndsSilently) {
  const struct {
    const char* name;
    void (viewer::ViewDataDialog::*action)();
    int step;
    int enabledButton;
  } cases[] = {{"Next page", &viewer::ViewDataDialog::OnNextPage, 1, kPrevPageButton},
               {"Previous page", &viewer::ViewDataDialog::OnPrevPage, -1, kNextPageButton}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartOver();
    Open(35, 10);
    m_dialog.OnNextPage();
    CloseUnderneath();

    (m_dialog.*c.action)();

    EXPECT_THAT(m_surface.Rows(), IsEmpty());
    EXPECT_THAT(m_surface.Messages(), IsEmpty());
    EXPECT_EQ(m_surface.Beeps(), 0);
    if (LegacyProfile()) {
      EXPECT_EQ(LastError(), std::string("marker"));
      EXPECT_EQ(m_dialog.m_pageNo, m_pageNoBefore);
      EXPECT_EQ(m_surface.PageNoField(), std::to_string(m_pageNoBefore));
      EXPECT_THAT(m_surface.TakeTouchedControls(), IsEmpty());
    } else {
      EXPECT_EQ(LastError(), kNotOpen);
      EXPECT_EQ(m_dialog.m_pageNo, m_pageNoBefore + c.step);
      EXPECT_EQ(m_surface.PageNoField(), std::to_string(m_pageNoBefore + c.step));
      EXPECT_THAT(m_surface.TakeTouchedControls(), ElementsAre(c.enabledButton));
    }
  }
}

TEST_P(ClosedRecordset, PrevPageWithAHugePageReadsOnceAndReturns) {
  OpenClosedAggregate(2147483647);
  MarkLastError();

  m_dialog.OnPrevPage();

  EXPECT_THAT(m_surface.Rows(), IsEmpty());
  EXPECT_EQ(LastError(), LegacyProfile() ? std::string("marker") : kNotOpen);
  EXPECT_EQ(m_dialog.m_pageNo, LegacyProfile() ? 0 : -1);
}

TEST_P(ClosedRecordset, FillingAPageEndsSilently) {
  OpenClosedAggregate(10);
  MarkLastError();

  m_dialog.FillPage();

  EXPECT_EQ(LastError(), std::string("marker"));
  EXPECT_THAT(m_surface.Rows(), IsEmpty());
}

QUORLIN_ON_EACH_CURSOR(ClosedRecordset);

class FieldTexts : public PagingTest {};

TEST_P(FieldTexts, ShownExactlyAsDeliveredTrailingBlanksNullsAndLongValuesIncluded) {
  const std::string longValue(10000, 'x');
  m_database.ExecuteSQL("CREATE TABLE V (ID INTEGER, Text TEXT, Amount REAL)");
  m_database.ExecuteSQL("INSERT INTO V VALUES (1, 'padded   ', 2.5), (2, NULL, NULL), (3, '" +
                        longValue + "', -1)");
  Select("SELECT * FROM V ORDER BY ID", 10);
  m_dialog.OnInitDialog();

  ASSERT_EQ(m_surface.Rows().size(), 3u);
  EXPECT_EQ(m_surface.Rows()[0], (std::vector<std::string>{"1", "padded   ", "2.5"}));
  EXPECT_EQ(m_surface.Rows()[1], (std::vector<std::string>{"2", "", ""}));
  EXPECT_EQ(m_surface.Rows()[2][1], longValue);
}

TEST_P(FieldTexts, ChineseTextIsShownAsItsBytes) {
  const std::string chinese = "\xe4\xb8\xad\xe6\x96\x87\xe6\x95\xb0\xe6\x8d\xae";  // UTF-8
  m_database.ExecuteSQL("CREATE TABLE \"" + chinese + "\" (\"" + chinese + "\" TEXT)");
  m_database.ExecuteSQL("INSERT INTO \"" + chinese + "\" VALUES ('" + chinese + "')");
  Select("SELECT * FROM \"" + chinese + "\"", 10);
  m_dialog.OnInitDialog();

  EXPECT_EQ(m_surface.TableNameField(), chinese);
  ASSERT_EQ(m_surface.Columns().size(), 1u);
  EXPECT_EQ(m_surface.Columns()[0].heading, chinese);
  EXPECT_THAT(m_surface.Rows(), ElementsAre(std::vector<std::string>{chinese}));
}

TEST_P(FieldTexts, TwoHundredColumnsEachEightyPixelsWideInResultOrder) {
  std::string columns;
  std::string values;
  for (int i = 0; i < 200; ++i) {
    columns += (i ? ", C" : "C") + std::to_string(i) + " INTEGER";
    values += (i ? ", " : "") + std::to_string(i * 10);
  }
  m_database.ExecuteSQL("CREATE TABLE W (" + columns + ")");
  m_database.ExecuteSQL("INSERT INTO W VALUES (" + values + ")");
  Select("SELECT * FROM W", 10);
  m_dialog.OnInitDialog();

  ASSERT_EQ(m_surface.Columns().size(), 200u);
  EXPECT_EQ(m_surface.Columns()[199].heading, "C199");
  for (const RecordingSurface::Column& column : m_surface.Columns()) EXPECT_EQ(column.width, 80);
  ASSERT_EQ(m_surface.Rows().size(), 1u);
  EXPECT_EQ(m_surface.Rows()[0][199], "1990");
}

TEST_P(FieldTexts, ColumnsStopAtTheFirstThatTheListRefuses) {
  MakeRecords(2);
  m_surface.RefuseColumnsAfter(1);
  Select("SELECT * FROM T ORDER BY ID", 10);
  m_dialog.OnInitDialog();

  ASSERT_EQ(m_surface.Columns().size(), 1u);
  EXPECT_EQ(m_surface.Columns()[0].heading, "ID");
  EXPECT_THAT(m_surface.Rows(),
              ElementsAre(std::vector<std::string>{"1"}, std::vector<std::string>{"2"}));
}

TEST_P(FieldTexts, DatasheetComesInChineseWhereTheInterfaceIsChinese) {
  const std::string previous = std::setlocale(LC_MESSAGES, nullptr);
  if (std::setlocale(LC_MESSAGES, "zh_CN.UTF-8") == nullptr) {
    GTEST_SKIP() << "locale zh_CN.UTF-8 is not installed";
  }
  const std::string previousCtype = std::setlocale(LC_CTYPE, nullptr);
  std::setlocale(LC_CTYPE, "zh_CN.UTF-8");
  MakeRecords(1);
  Select("SELECT ID + 0 AS N FROM T", 10);
  m_dialog.OnInitDialog();
  std::setlocale(LC_MESSAGES, previous.c_str());
  std::setlocale(LC_CTYPE, previousCtype.c_str());

  // The legacy profile names no table in any language.
  EXPECT_EQ(m_dialog.m_tableName,
            LegacyProfile() ? "" : "\xe6\x95\xb0\xe6\x8d\xae\xe8\xa1\xa8");  // 数据表
}

QUORLIN_ON_EACH_CURSOR(FieldTexts);

}  // namespace
}  // namespace quorlin::test
