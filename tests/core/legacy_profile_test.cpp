// What only the legacy profile does, through its exports. The shared tests state the
// differences where the profiles meet; these cover the rest.
#include <cstring>
#include <functional>

#include "database_fixture.h"
#include "grid_writer.h"

namespace quorlin::test {
namespace {

// "执行成功" and "当前数据集为空！" in GBK.
constexpr char kSucceeded[] = "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6";
constexpr char kRecordsetEmpty[] =
    "\xb5\xb1\xc7\xb0\xca\xfd\xbe\xdd\xbc\xaf\xce\xaa\xbf\xd5\xa3\xa1";

// The last-error text as the program found it, read before any test could change it.
struct LoadState {
  int resultWithEight;
  bool eightWroteNothing;
  int resultWithNine;
  std::string text;
};
const LoadState kAtLoad = [] {
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  LoadState state{SQLLastError(buffer, 8), buffer[0] == '#', 0, {}};
  state.resultWithNine = SQLLastError(buffer, 9);
  state.text.assign(buffer, strnlen(buffer, sizeof buffer));
  return state;
}();

TEST(LegacyTexts, AtLoadTheLastErrorIsSucceededInGbkAndNeedsNineBytes) {
  EXPECT_EQ(kAtLoad.resultWithEight, -1);
  EXPECT_TRUE(kAtLoad.eightWroteNothing);
  EXPECT_EQ(kAtLoad.resultWithNine, 0);
  EXPECT_EQ(kAtLoad.text, kSucceeded);
}

TEST(LegacyTexts, DisplayWithoutACurrentRecordsetReportsItsBuiltInText) {
  SQLCleanup();
  MarkLastError();
  SQLDisplay(10);
  EXPECT_EQ(LastError(), kRecordsetEmpty);
}

TEST(LegacyTexts, MovesWithoutACurrentRecordsetFailSilentlyAndCountZero) {
  SQLCleanup();
  MarkLastError();
  for (unsigned direction : {0u, 1u, 2u, 3u, 9u}) {
    EXPECT_EQ(SQLMoveRecord(direction), -1) << direction;
  }
  for (int position : {1, 0, -1, 100}) EXPECT_EQ(SQLMoveTo(position), -1) << position;
  EXPECT_EQ(SQLGetRowCount(), 0);
  EXPECT_EQ(LastError(), kMarker);
}

// An id that names no open connection (one that was open, and one that never was) gives -1
// and leaves the last-error text alone, in every export that takes one.
TEST(LegacySilence, IdsOfNoOpenConnectionFailWithoutAWord) {
  TempDir dir;
  const std::string datasheet = dir.Path("t.ds");
  WriteFile(datasheet, GridBytes({CaptionRow(6), DatasheetRow("A", 1, "")}));
  const std::string bindTable = dir.Path("t.bt");
  WriteFile(bindTable, GridBytes({CaptionRow(4), BindRow("A", 1)}));
  const std::string names = SlotBlock({"A"});
  const std::string values = SlotBlock({"1"});
  const int types[] = {1};
  SQLCleanup();
  const int closed = SQLConnectToDatabase(("Driver=SQLite3;Database=" + dir.Path("t.db")).c_str());
  ASSERT_GE(closed, 0) << LastError();
  SQLDisconnectToDatabase(closed);
  const struct {
    const char* name;
    std::function<int(int)> call;
  } exports[] = {
      {"SQLCreateTable", [&](int id) { return SQLCreateTable(id, "T", datasheet.c_str()); }},
      {"SQLCreateTableEx",
       [&](int id) { return SQLCreateTableEx(id, 1, "T", names.c_str(), types, nullptr); }},
      {"SQLDropTable", [](int id) { return SQLDropTable(id, "T"); }},
      {"SQLSelectToTable", [](int id) { return SQLSelectToTable(id, "T", ""); }},
      {"SQLAggregate",
       [](int id) {
         double value = 0;
         return SQLAggregate(id, "T", QUORLIN_SUM, "A", &value, "");
       }},
      {"SQLExcute", [](int id) { return SQLExcute(id, "SELECT 1"); }},
      {"SQLInsertRecord",
       [&](int id) { return SQLInsertRecord(id, "T", bindTable.c_str(), values.c_str()); }},
      {"SQLInsertRecordEx",
       [&](int id) { return SQLInsertRecordEx(id, 1, "T", types, names.c_str(), values.c_str()); }},
      {"SQLUpdateRecord",
       [&](int id) { return SQLUpdateRecord(id, "T", bindTable.c_str(), values.c_str(), ""); }},
      {"SQLDeleteRecord", [](int id) { return SQLDeleteRecord(id, "T", ""); }},
  };
  for (const auto& e : exports) {
    for (int id : {closed, -1}) {
      MarkLastError();
      EXPECT_EQ(e.call(id), -1) << e.name << " on " << id;
      EXPECT_EQ(LastError(), kMarker) << e.name << " on " << id;
    }
  }
}

// The texts that differ from the full profile's beyond the quoting, at the driver.
class LegacyTracedTexts : public OnTracedSqlite {};

TEST_F(LegacyTracedTexts, CreateTableExKeepsTheNamesAsGiven) {
  const struct {
    const char* name;
    int type;
    int width;
    const char* column;
  } cases[] = {
      {"Speed", QUORLIN_TYPE_NUMERIC, 0, "Speed NUMERIC"},
      {" Speed\t ", QUORLIN_TYPE_NUMERIC, 0, " Speed\t  NUMERIC"},
      {"Level", QUORLIN_TYPE_FLOAT, 0, "Level FLOAT"},
      {"Tag", QUORLIN_TYPE_CHAR, 8, "Tag CHAR(8)"},
      {"Stamp", QUORLIN_TYPE_DATE, 0, "Stamp DATE"},
  };
  for (const auto& c : cases) {
    const std::string names = SlotBlock({c.name});
    Exec(id_, "DROP TABLE IF EXISTS T");
    MarkLastError();
    ASSERT_EQ(SQLCreateTableEx(id_, 1, "T", names.c_str(), &c.type, &c.width), 0);
    EXPECT_EQ(LastStatement(), std::string("CREATE TABLE T (") + c.column + ")");
    EXPECT_EQ(LastError(), kMarker) << "SQLite refused " << c.column;
  }
}

TEST_F(LegacyTracedTexts, InsertRecordExWithNoFieldsSendsEmptyLists) {
  Exec(id_, "CREATE TABLE T (A INTEGER)");
  for (int count : {0, -3}) {
    MarkLastError();
    EXPECT_EQ(SQLInsertRecordEx(id_, count, "T", nullptr, nullptr, nullptr), -1) << count;
    EXPECT_EQ(LastStatement(), "INSERT INTO T\n\t()\n\tVALUES()");
    EXPECT_NE(LastError(), kMarker) << "SQLite's refusal is reported";
  }
}

TEST_F(LegacyTracedTexts, EveryConditionStartingWithOrderGetsWhere) {
  Exec(id_, "CREATE TABLE T (A INTEGER)");
  TempDir dir;
  WriteFile(dir.Path("t.bt"), GridBytes({CaptionRow(4), BindRow("A", 1)}));
  const std::string values = SlotBlock({"1"});
  double value = 0;
  const int id = id_;
  const struct {
    std::function<int()> call;
    const char* text;
  } cases[] = {
      {[id] { return SQLSelectToTable(id, "T", "order by A"); },
       "SELECT * FROM  T \n\tWHERE order by A"},
      {[&] { return SQLAggregate(id, "T", QUORLIN_SUM, "A", &value, " ORDER BY A"); },
       "SELECT SUM(A) FROM T \n\tWHERE ORDER BY A"},
      {[&] { return SQLUpdateRecord(id, "T", dir.Path("t.bt").c_str(), values.c_str(), "ORDER"); },
       "UPDATE T\n\t SET A = 1\n\tWHERE ORDER"},
      {[id] { return SQLDeleteRecord(id, "T", "Order By A"); },
       "DELETE FROM T\n\t \n\tWHERE Order By A"},
      {[id] { return SQLSelectToTable(id, "T", " Where A > 0"); },
       "SELECT * FROM  T \n\tWhere A > 0"},
  };
  for (const auto& c : cases) {
    c.call();
    EXPECT_EQ(LastStatement(), c.text);
  }
}

class LegacyOnEachDatabase : public OnEachDatabase {
 protected:
  void SetUp() override {
    OnEachDatabase::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    table_ = TableName("Leg");
    MakeTable(table_, {"1,'A1',2", "2,'A1',4", "3,'B2',9"});
  }
  std::string table_;
};

TEST_P(LegacyOnEachDatabase, DropTableSwallowsTheDatabasesRefusal) {
  MarkLastError();
  EXPECT_EQ(SQLDropTable(id_, TableName("Missing").c_str()), -1);
  EXPECT_EQ(LastError(), kMarker);
  EXPECT_EQ(SQLDropTable(id_, table_.c_str()), 0);
  EXPECT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), -1) << "the table is gone";
}

// One result per connection, found by the base table its columns come from.
TEST_P(LegacyOnEachDatabase, OneResultFoundByItsBaseTable) {
  const std::string other = TableName("LegOther");
  MakeTable(other, {"7,'X',0"});
  std::string lower = table_;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), 0) << LastError();
  ASSERT_EQ(SQLSelectToTable(id_, other.c_str(), ""), 0) << LastError();
  EXPECT_EQ(SQLUseTable(id_, table_.c_str()), -1) << "freed by the next selection";
  EXPECT_EQ(SQLUseTable(id_, other.c_str()), 0);

  ASSERT_EQ(SQLSelectToTable(id_, (table_ + " x").c_str(), "x.ID > 1"), 0) << LastError();
  EXPECT_EQ(SQLUseTable(id_, "x"), -1);
  EXPECT_EQ(SQLUseTable(id_, (table_ + " x").c_str()), -1);
  EXPECT_EQ(SQLUseTable(id_, lower.c_str()), 0) << "an alias and a condition leave the base table";
  EXPECT_EQ(SQLGetRowCount(), 2);
  EXPECT_EQ(SQLUseTable(id_, other.c_str()), -1);

  ASSERT_EQ(SQLSelectToTable(id_, (table_ + ", " + other).c_str(), ""), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 3);
  EXPECT_EQ(SQLUseTable(id_, table_.c_str()), -1) << "a join has no base table";
  EXPECT_EQ(SQLUseTable(id_, other.c_str()), -1);
}

// The bracket-free texts are valid SQL everywhere, but MariaDB's default mode reads "MIN (",
// "MAX (" and "COUNT (" with the blank as calls of functions it does not have.
TEST_P(LegacyOnEachDatabase, AggregatesComputeExceptThoseWithABlankOnMariaDb) {
  const bool blankFails = GetParam().name == "MariaDB" || GetParam().name == "MySQLDriver";
  const struct {
    int kind;
    const char* column;
    double value;
    const char* refusal;  // in MariaDB's own message
  } cases[] = {
      {QUORLIN_AVG, "Level", 5, nullptr},      {QUORLIN_SUM, "Level", 15, nullptr},
      {QUORLIN_MIN, "Level", 2, "FUNCTION"},   {QUORLIN_MAX, "Level", 9, "FUNCTION"},
      {QUORLIN_COUNT, "Level", 3, "FUNCTION"}, {QUORLIN_COUNT_DISTINCT, "Tag", 2, "SQL syntax"},
  };
  for (const auto& c : cases) {
    const bool fails = blankFails && c.refusal != nullptr;
    double value = -1;
    MarkLastError();
    EXPECT_EQ(SQLAggregate(id_, table_.c_str(), c.kind, c.column, &value, ""), fails ? -1 : 0)
        << c.kind << ": " << LastError();
    EXPECT_DOUBLE_EQ(value, fails ? -1 : c.value) << c.kind;
    if (fails) {
      EXPECT_NE(LastError().find(c.refusal), std::string::npos) << LastError();
    }
  }
}

// The aggregate's result is neither closed nor found by a table's name, but stays current.
TEST_P(LegacyOnEachDatabase, AggregateResultStaysOpenAndCurrent) {
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), 0) << LastError();
  double value = 0;
  ASSERT_EQ(SQLAggregate(id_, table_.c_str(), QUORLIN_SUM, "Level", &value, "ID > 1"), 0)
      << LastError();
  EXPECT_DOUBLE_EQ(value, 13);
  EXPECT_EQ(SQLGetRowCount(), 1);
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_FIRST), 0);
  BindEntry entry{};
  char slot[QUORLIN_GET_SLOT_SIZE];
  // Each database names the column in its own way; SQLGet reports the name it was asked for.
  const char* column = GetParam().name == "PostgreSQL" ? "sum" : "SUM(Level)";
  std::strncpy(entry.fieldName, column, sizeof entry.fieldName);
  ASSERT_EQ(SQLGet(1, &entry, slot), 1) << LastError();
  EXPECT_DOUBLE_EQ(std::stod(slot), 13);
  EXPECT_DOUBLE_EQ(std::stod(Field(column)), 13);
  EXPECT_EQ(SQLUseTable(id_, table_.c_str()), -1) << "the selection was freed";
  EXPECT_EQ(SQLUseTable(id_, ""), 0) << "the empty name is the one the result has";
}

TEST_P(LegacyOnEachDatabase, FieldValuesKeepTheBlanksAPaddingDatabaseAdds) {
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), "ID = 3"), 0) << LastError();
  EXPECT_EQ(Field("Tag"), GetParam().padsChar ? "B2          " : "B2");
}

QUORLIN_ON_EACH_DATABASE(LegacyOnEachDatabase);

}  // namespace
}  // namespace quorlin::test
