#include "database_fixture.h"

namespace quorlin::test {
namespace {

class Navigation : public OnEachDatabase {
 protected:
  void SetUp() override {
    OnEachDatabase::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    table_ = TableName("Nav");
    MakeTable(table_, {"1,'A',1.5", "2,'B',2.5", "3,'C',3.5"});
    ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), OrderBy("ID").c_str()), 0) << LastError();
  }
  std::string table_;
};

TEST_P(Navigation, MovesFirstNextPriorLast) {
  EXPECT_EQ(Field("ID"), "1");
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  EXPECT_EQ(Field("ID"), "2");
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), 0);
  EXPECT_EQ(Field("ID"), "3");
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0);
  EXPECT_EQ(Field("ID"), "2");
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_FIRST), 0);
  EXPECT_EQ(Field("ID"), "1");
}

TEST_P(Navigation, UnknownDirectionsDoNotMove) {
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  for (unsigned direction : {4u, 255u, static_cast<unsigned>(-1)}) {
    EXPECT_EQ(SQLMoveRecord(direction), 0) << direction;
    EXPECT_EQ(Field("ID"), "2") << direction;
  }
}

TEST_P(Navigation, MovingPastTheEndReportsTheSecondTime) {
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), 0);
  MarkLastError();
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);  // now after the last record
  EXPECT_EQ(LastError(), kMarker);
  EXPECT_EQ(Field("ID"), "<error>");  // no current record
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), -1);
  EXPECT_NE(LastError(), kMarker);
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0);
  EXPECT_EQ(Field("ID"), "3");
}

TEST_P(Navigation, RowCountCountsAndReturnsToTheFirstRecord) {
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), 0);
  EXPECT_EQ(SQLGetRowCount(), 3);
  EXPECT_EQ(Field("ID"), "1");
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  EXPECT_EQ(Field("ID"), "2");
  // A second count, now that the size may be known, still ends on the first record.
  EXPECT_EQ(SQLGetRowCount(), 3);
  EXPECT_EQ(Field("ID"), "1");
}

TEST_P(Navigation, MoveToStandsOnThePosition) {
  EXPECT_EQ(SQLMoveTo(3), 0);
  EXPECT_EQ(Field("ID"), "3");
  EXPECT_EQ(SQLMoveTo(1), 0);
  EXPECT_EQ(Field("ID"), "1");
  EXPECT_EQ(SQLMoveTo(2), 0);
  EXPECT_EQ(Field("ID"), "2");
}

TEST_P(Navigation, MoveToBeyondTheEndLeavesNoCurrentRecord) {
  EXPECT_EQ(SQLMoveTo(9), 0);
  EXPECT_EQ(Field("ID"), "<error>");
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0);
  EXPECT_EQ(Field("ID"), "3");
}

TEST_P(Navigation, EmptyResultFailsSilently) {
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "ID > 100"), 0) << LastError();
  MarkLastError();
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), -1);
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_FIRST), -1);
  EXPECT_EQ(SQLMoveTo(1), -1);
  EXPECT_EQ(LastError(), kMarker);
  EXPECT_EQ(SQLGetRowCount(), 0);
}

TEST_P(Navigation, UseTableFindsTheCachedResultIgnoringCase) {
  const std::string other = TableName("Other");
  MakeTable(other, {"7,'X',0"});
  ASSERT_EQ(SQLSelectToTable(id_, other.c_str(), ""), 0) << LastError();
  EXPECT_EQ(Field("ID"), "7");
  // The full profile cached the result selected with a condition starting with ORDER under a
  // longer name; the legacy profile's one result per connection has just been replaced.
  EXPECT_EQ(SQLUseTable(id_, table_.c_str()), -1);
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), 0);
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), 0);
  const std::string last = Field("ID");
  ASSERT_EQ(SQLUseTable(id_, other.c_str()), LegacyProfile() ? -1 : 0);
  EXPECT_EQ(Field("ID"), LegacyProfile() ? last : "7");

  std::string lower = table_;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  MarkLastError();
  ASSERT_EQ(SQLUseTable(id_, lower.c_str()), 0);
  EXPECT_EQ(Field("ID"), last) << "the recordset stays where it was left";
  EXPECT_EQ(SQLUseTable(id_, (" " + table_ + " ").c_str()), -1);
  EXPECT_EQ(SQLUseTable(id_ + 1000, table_.c_str()), -1);
  EXPECT_EQ(LastError(), kMarker) << "SQLUseTable reports nothing";
}

TEST_P(Navigation, DisconnectClearsTheCurrentRecordset) {
  SQLDisconnectToDatabase(id_);
  MarkLastError();
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("When table is empty"));
  MarkLastError();
  EXPECT_EQ(SQLMoveTo(1), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("When table is empty"));
  EXPECT_EQ(SQLGetRowCount(), RowCountWithoutRecordset());
  EXPECT_EQ(SQLUseTable(id_, table_.c_str()), -1);
}

QUORLIN_ON_EACH_DATABASE(Navigation);

}  // namespace
}  // namespace quorlin::test
