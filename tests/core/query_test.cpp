#include <string>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

// Which databases accept which aggregate texts: see AllBackends.
#define QUORLIN_REQUIRE_AGGREGATES()                                                       \
  do {                                                                                     \
    if (!GetParam().acceptsAggregates) GTEST_SKIP() << GetParam().name << " rejects them"; \
  } while (false)

class Queries : public OnEachDatabase {
 protected:
  void SetUp() override {
    OnEachDatabase::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    table_ = TableName("Qry");
    MakeTable(table_, {"1,'A1',2", "2,'A1',4", "3,'B2',9", "4,'C3',NULL"});
  }
  double Aggregate(int kind, const char* column, const char* condition = "") {
    double value = -999;
    EXPECT_EQ(SQLAggregate(id_, table_.c_str(), kind, column, &value, condition), 0) << LastError();
    return value;
  }
  std::string table_;
};

TEST_P(Queries, AggregatesAreRejectedWhereTheirTextIsNotValid) {
  if (GetParam().acceptsAggregates) GTEST_SKIP() << GetParam().name << " accepts them";
  double value = 42.0;
  MarkLastError();
  EXPECT_EQ(SQLAggregate(id_, table_.c_str(), QUORLIN_MAX, "Level", &value, ""), -1);
  EXPECT_EQ(value, 42.0);
  EXPECT_NE(LastError(), kMarker);
  EXPECT_EQ(SQLUseTable(id_, table_.c_str()), -1) << "nothing is cached for a failed query";
}

// The columns are named as the databases keep them: PostgreSQL folds the unquoted names of
// CREATE TABLE to lower case, and its aggregates quote the column.
TEST_P(Queries, AggregatesComputeOnTheDatabase) {
  QUORLIN_REQUIRE_AGGREGATES();
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_AVG, "level"), 5.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_SUM, "level"), 15.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_MIN, "level"), 2.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_MAX, "level"), 9.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_COUNT, "level"), 3.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_COUNT_DISTINCT, "tag"), 3.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_AVG, "level", "Tag = 'A1'"), 3.0);
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_SUM, "level", "where ID > 2"), 9.0);
}

TEST_P(Queries, AggregateOverNoRowsGivesZero) {
  QUORLIN_REQUIRE_AGGREGATES();
  EXPECT_DOUBLE_EQ(Aggregate(QUORLIN_SUM, "level", "ID > 100"), 0.0);
}

TEST_P(Queries, UnknownAggregateKindIsRejectedAndLeavesTheResult) {
  for (int kind : {6, -1}) {
    double value = 42.0;
    MarkLastError();
    EXPECT_EQ(SQLAggregate(id_, table_.c_str(), kind, "Level", &value, ""), -1);
    EXPECT_EQ(value, 42.0);
    EXPECT_NE(LastError(), kMarker);
  }
}

// The full profile closes the aggregate's result, the legacy profile leaves it open; in the
// legacy profile it is found by no table name, as its column comes from no table.
TEST_P(Queries, AggregateReplacesTheSelectionAndStaysCurrent) {
  QUORLIN_REQUIRE_AGGREGATES();
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), 0) << LastError();
  Aggregate(QUORLIN_MAX, "level");
  ASSERT_EQ(SQLUseTable(id_, table_.c_str()), LegacyProfile() ? -1 : 0);
  MarkLastError();
  if (LegacyProfile()) {
    EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_FIRST), 0) << LastError();
    EXPECT_EQ(LastError(), kMarker);
  } else {
    EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), -1) << "the aggregate's result is closed";
    EXPECT_NE(LastError(), kMarker);
  }
  EXPECT_EQ(Field("ID"), "<error>");
  EXPECT_EQ(SQLGetRowCount(), LegacyProfile() ? 1 : 0);
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 4);
}

// The legacy profile puts WHERE before a condition that starts with ORDER too.
TEST_P(Queries, ConditionsGetWhereUnlessTheyStartWithIt) {
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "  Tag = 'A1'"), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 2);
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "where Tag = 'B2'"), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 1);
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "WHERE ID > 1 ORDER BY ID DESC"), 0);
  EXPECT_EQ(Field("ID"), "4");
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "order by ID"), LegacyProfile() ? -1 : 0)
      << LastError();
  EXPECT_EQ(Field("ID"), LegacyProfile() ? "4" : "1") << "a failed selection keeps the last";
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "   "), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 4);
}

TEST_P(Queries, ConditionsThatOnlyLookLikeClausesAreRejectedByTheDatabase) {
  MarkLastError();
  EXPECT_EQ(SQLSelectToTable(id_, table_.c_str(), "ORDERS > 3"), -1);
  EXPECT_NE(LastError(), kMarker);
  MarkLastError();
  EXPECT_EQ(SQLSelectToTable(id_, table_.c_str(), "GROUP BY Tag"), -1);
  EXPECT_NE(LastError(), kMarker);
}

TEST_P(Queries, FailedSelectionKeepsTheCurrentRecordset) {
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "ID = 3"), 0);
  EXPECT_EQ(SQLSelectToTable(id_, "NoSuchTable", ""), -1);
  EXPECT_EQ(Field("ID"), "3");
}

TEST_P(Queries, ExecuteRunsAnyStatementAndReportsTheDatabasesText) {
  Exec(id_, "UPDATE " + table_ + " SET Level = 1 WHERE ID = 4");
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "ID = 4"), 0) << LastError();
  EXPECT_DOUBLE_EQ(std::stod(Field("Level")), 1.0);
  Exec(id_, "DELETE FROM " + table_ + " WHERE ID = 999");  // no rows is still success
  EXPECT_EQ(SQLExcute(id_, ("SELECT * FROM " + table_).c_str()), 0) << "its result is discarded";
  MarkLastError();
  EXPECT_EQ(SQLExcute(id_, "DROP TABLE NoSuchTable"), -1);
  EXPECT_NE(LastError(), kMarker);
  MarkLastError();
  EXPECT_EQ(SQLExcute(id_, ""), -1) << "the empty statement is refused";
  EXPECT_NE(LastError(), kMarker);
  EXPECT_EQ(SQLExcute(id_, nullptr), -1);
}

TEST_P(Queries, ClosedConnectionIdsReportDatabaseNotOpen) {
  double value = 7;
  const int closed = id_ + 100;
  MarkLastError();
  SQLExcute(id_, "SELECT 1");
  EXPECT_EQ(SQLSelectToTable(closed, table_.c_str(), ""), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  MarkLastError();
  EXPECT_EQ(SQLAggregate(closed, table_.c_str(), 0, "Level", &value, ""), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  MarkLastError();
  EXPECT_EQ(SQLExcute(closed, "SELECT 1"), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  EXPECT_EQ(value, 7);
}

TEST_P(Queries, NullResultAddressFailsWithoutRunning) {
  EXPECT_EQ(SQLAggregate(id_, table_.c_str(), 0, "Level", nullptr, ""), -1);
  EXPECT_NE(LastError().find("double"), std::string::npos) << LastError();
}

QUORLIN_ON_EACH_DATABASE(Queries);

}  // namespace
}  // namespace quorlin::test
