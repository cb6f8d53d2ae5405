// The statements the library sends, checked byte for byte where the driver receives them.
#include <cstring>
#include <memory>

#include "database_fixture.h"
#include "grid_writer.h"

namespace quorlin::test {
namespace {

class SqliteStatementTexts : public OnTracedSqlite {
 protected:
  void SetUp() override {
    OnTracedSqlite::SetUp();
    if (HasFatalFailure()) return;
    Exec(id_, "CREATE TABLE Alarm (Level INTEGER, Tag CHAR(8), Time INTEGER)");
    Exec(id_, "INSERT INTO Alarm VALUES (3, 'A1', 1)");
  }
};

TEST_F(SqliteStatementTexts, SelectionsEndInABlankOrTheirClause) {
  ASSERT_EQ(SQLSelectToTable(id_, "Alarm", ""), 0) << LastError();
  EXPECT_EQ(LastStatement(), "SELECT * FROM  Alarm ");
  ASSERT_EQ(SQLSelectToTable(id_, "Alarm", "   "), 0);
  EXPECT_EQ(LastStatement(), "SELECT * FROM  Alarm ");
  ASSERT_EQ(SQLSelectToTable(id_, "Alarm", "Level > 2"), 0);
  EXPECT_EQ(LastStatement(), "SELECT * FROM  Alarm \n\tWHERE Level > 2");
  ASSERT_EQ(SQLSelectToTable(id_, "Alarm", "\t where Level > 2  "), 0);
  EXPECT_EQ(LastStatement(), "SELECT * FROM  Alarm \n\twhere Level > 2  ");
  // The legacy profile gives WHERE to a condition that starts with ORDER.
  EXPECT_EQ(SQLSelectToTable(id_, "Alarm", "ORDER BY Time"), LegacyProfile() ? -1 : 0);
  EXPECT_EQ(LastStatement(), LegacyProfile() ? "SELECT * FROM  Alarm \n\tWHERE ORDER BY Time"
                                             : "SELECT * FROM  Alarm \n\tORDER BY Time");
  EXPECT_EQ(SQLSelectToTable(id_, "Alarm", "GROUP BY Tag"), -1);
  EXPECT_EQ(LastStatement(), "SELECT * FROM  Alarm \n\tWHERE GROUP BY Tag");
}

// The standard formats bracket the column; the legacy profile's formats have no brackets.
TEST_F(SqliteStatementTexts, AggregatesUseTheStandardFormats) {
  double value = 0;
  const struct {
    int kind;
    const char* column;
    const char* condition;
    const char* text;
    const char* legacyText;
  } cases[] = {
      {0, "Level", "Tag = 'A1'", "SELECT AVG([Level]) FROM Alarm \n\tWHERE Tag = 'A1'",
       "SELECT AVG(Level) FROM Alarm \n\tWHERE Tag = 'A1'"},
      {1, "Level", "", "SELECT SUM([Level]) FROM Alarm ", "SELECT SUM(Level) FROM Alarm "},
      {2, "Level", "", "SELECT MIN ([Level]) FROM Alarm ", "SELECT MIN (Level) FROM Alarm "},
      {3, "Level", "", "SELECT MAX ([Level]) FROM Alarm ", "SELECT MAX (Level) FROM Alarm "},
      {4, "Level", "", "SELECT COUNT ([Level]) FROM Alarm ", "SELECT COUNT (Level) FROM Alarm "},
      {5, "Tag", "", "SELECT COUNT (DISTINCT [Tag]) FROM Alarm ",
       "SELECT COUNT (DISTINCT Tag) FROM Alarm "},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(SQLAggregate(id_, "Alarm", c.kind, c.column, &value, c.condition), 0) << LastError();
    EXPECT_EQ(LastStatement(), LegacyProfile() ? c.legacyText : c.text);
  }
  EXPECT_EQ(SQLAggregate(id_, "Alarm", 6, "Level", &value, ""), -1);
  EXPECT_EQ(LastStatement(), "SELECT FROM Alarm ");
}

TEST_F(SqliteStatementTexts, ExecuteSendsTheTextUnchanged) {
  const char text[] = "  UPDATE Alarm SET Level = 4\n\tWHERE Tag = 'A1'  ";
  ASSERT_EQ(SQLExcute(id_, text), 0) << LastError();
  EXPECT_EQ(LastStatement(), text);
}

// The MySQL-named driver, seen at the driver manager: the MySQL dialect in the full profile,
// and in the legacy profile the bare, bracket-free texts of every connection. One trace
// serves the whole suite: the driver manager reads its trace settings only when it starts an
// environment, and not again for a settings file changed within the same second.
class MySqlDialectTexts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SQLCleanup();  // the trace starts with the next driver manager environment
    trace_ = new DriverManagerTrace();
  }
  static void TearDownTestSuite() {
    SQLCleanup();
    delete trace_;
    trace_ = nullptr;
  }
  void SetUp() override {
    backend_ = MySqlDriverBackend();
    QUORLIN_REQUIRE_BACKEND(backend_);
    id_ = SQLConnectToDatabase(backend_.connect.c_str());
    ASSERT_GE(id_, 0) << LastError();
    table_ = TableName("Dialect");
    Exec(id_, "DROP TABLE IF EXISTS " + table_);
    Exec(id_, "CREATE TABLE " + table_ + " (Level INTEGER, Tag CHAR(8))");
    Exec(id_, "INSERT INTO " + table_ + " VALUES (3, 'A1'), (5, 'B2')");
  }
  std::string LastStatement() const {
    const std::vector<std::string> statements = trace_->Statements();
    return statements.empty() ? std::string() : statements.back();
  }
  static DriverManagerTrace* trace_;
  Backend backend_;
  std::string table_;
  int id_ = -1;
};

DriverManagerTrace* MySqlDialectTexts::trace_ = nullptr;

// MariaDB's default mode reads "MIN (" as a call of an unknown function MIN.
TEST_F(MySqlDialectTexts, AggregatesUseBackticksUnlessLegacyWhereABlankBeforeTheParenthesisFails) {
  const struct {
    int kind;
    const char* expression;
    const char* legacyExpression;
    double value;
  } cases[] = {
      {0, "AVG(`Level`) ", "AVG(Level) ", 4},
      {1, "SUM(`Level`) ", "SUM(Level) ", 8},
      {2, "MIN(`Level`) ", "MIN (Level) ", 3},
      {3, "MAX(`Level`) ", "MAX (Level) ", 5},
      {4, "COUNT(`Level`) ", "COUNT (Level) ", 2},
      {5, "COUNT(DISTINCT `Tag`) ", "COUNT (DISTINCT Tag) ", 2},
  };
  for (const auto& c : cases) {
    double value = -1;
    const char* column = c.kind == 5 ? "Tag" : "Level";
    const bool computes = !LegacyProfile() || c.kind <= QUORLIN_SUM;
    MarkLastError();
    ASSERT_EQ(SQLAggregate(id_, table_.c_str(), c.kind, column, &value, "Level > 0"),
              computes ? 0 : -1)
        << LastError();
    EXPECT_DOUBLE_EQ(value, computes ? c.value : -1) << c.expression;
    EXPECT_EQ(LastError() == kMarker, computes) << LastError();
    const char* expression = LegacyProfile() ? c.legacyExpression : c.expression;
    EXPECT_EQ(LastStatement(),
              std::string("SELECT ") + expression + "FROM " + table_ + " \n\tWHERE Level > 0");
  }
}

TEST_F(MySqlDialectTexts, ArrayExportsWriteBackticksAndIntegerTheOthersDoubleQuotesLegacyNone) {
  const std::string names = SlotBlock({"ID", " Name ", "Born"});
  const int types[] = {1, 2, 3};
  const int widths[] = {0, 20, 0};
  const std::string staff = table_ + "s";
  SQLExcute(id_, ("DROP TABLE IF EXISTS " + staff).c_str());
  SQLExcute(id_, ("DROP TABLE IF EXISTS " + staff + "x").c_str());
  ASSERT_EQ(SQLCreateTableEx(id_, 3, staff.c_str(), names.c_str(), types, widths), 0);
  EXPECT_EQ(LastStatement(), "CREATE TABLE " + staff +
                                 (LegacyProfile() ? " (ID NUMERIC, Name  CHAR(20),Born DATE)"
                                                  : " (`ID` INTEGER,`Name` CHAR(20),`Born` DATE)"));
  const std::string values = SlotBlock({"1", "T1", "2001-02-03"});
  ASSERT_EQ(SQLInsertRecordEx(id_, 3, staff.c_str(), types, names.c_str(), values.c_str()), 0)
      << LastError();
  EXPECT_EQ(LastStatement(),
            "INSERT INTO " + staff +
                (LegacyProfile() ? "\n\t(ID,Name,Born)" : "\n\t(`ID`,`Name`,`Born`)") +
                "\n\tVALUES(1,'T1','2001-02-03')");
  TempDir dir;
  WriteFile(dir.Path("s.ds"), GridBytes({CaptionRow(6), DatasheetRow("ID", 1, "")}));
  EXPECT_EQ(SQLCreateTable(id_, (staff + "x").c_str(), dir.Path("s.ds").c_str()), 0);
  EXPECT_EQ(LastStatement(),
            "CREATE TABLE " + staff + (LegacyProfile() ? "x (ID NUMERIC)" : "x (\"ID\" NUMERIC)"));
  Exec(id_, "DROP TABLE " + staff);
  SQLExcute(id_, ("DROP TABLE IF EXISTS " + staff + "x").c_str());
}

TEST_F(MySqlDialectTexts, SelectionsAreTheSameInBothDialects) {
  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), OrderBy("Level").c_str()), 0) << LastError();
  EXPECT_EQ(LastStatement(), "SELECT * FROM  " + table_ + " \n\t" + OrderBy("Level"));
}

TEST(DialectDetection, MySqlDriverWithoutBracesSetsTheDialect) {
  // Observed through the aggregate text: brackets (standard) are rejected by MariaDB,
  // backticks (MySQL dialect) are not. The legacy profile has no dialects: its bare text
  // passes in every variant.
  const Backend mysql = MySqlDriverBackend();
  QUORLIN_REQUIRE_BACKEND(mysql);
  const std::string rest = mysql.connect.substr(mysql.connect.find(';'));
  const std::string table = TableName("Detect");
  struct Variant {
    std::string connect;
    bool mysqlDialect;
  };
  const Variant variants[] = {
      {"UID=root;driver=MySQL ODBC 3.51 Driver" + rest, true},
      {"Driver=MySQL ODBC 3.51 Driver" + rest, true},
      {"DRIVER={MySQL ODBC 3.51 Driver}" + rest, false},
  };
  for (const Variant& v : variants) {
    SQLCleanup();
    const int id = SQLConnectToDatabase(v.connect.c_str());
    ASSERT_GE(id, 0) << v.connect << ": " << LastError();
    Exec(id, "CREATE TABLE IF NOT EXISTS " + table + " (Level INTEGER)");
    double value = 0;
    EXPECT_EQ(SQLAggregate(id, table.c_str(), QUORLIN_SUM, "Level", &value, ""),
              v.mysqlDialect || LegacyProfile() ? 0 : -1)
        << v.connect << ": " << LastError();
  }
  SQLCleanup();
}

}  // namespace
}  // namespace quorlin::test
