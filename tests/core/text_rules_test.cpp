// The pure text rules of the library, called directly.
#include <gtest/gtest.h>

#include <clocale>

#include "connections/connection_operations.h"
#include "connections/table_name_of_query.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "schema/statements.h"
#include "schema/where_clause.h"
#include "test_support.h"

namespace quorlin {
namespace {

using connections::TableNameOfQuery;
using schema::MakeWhereClause;
using test::LegacyProfile;

TEST(TableNameOfQuery, TakesTheTextBetweenFromAndWhere) {
  EXPECT_EQ(TableNameOfQuery("SELECT * FROM  [Tank Level] WHERE ID=1"), "TANKLEVEL");
  EXPECT_EQ(TableNameOfQuery("SELECT * FROM T"), "T");
  EXPECT_EQ(TableNameOfQuery("select * from t order by x"), "TORDERBYX");
  EXPECT_EQ(TableNameOfQuery("SELECT FROMDATE FROM T"), "DATEFROMT");
  EXPECT_EQ(TableNameOfQuery("SELECT 1"), "");
  EXPECT_EQ(TableNameOfQuery("FROM T"), "") << "FROM at the start gives nothing";
  EXPECT_EQ(TableNameOfQuery("SELECT * FROM  Alarm \n\tWHERE Level > 2"), "ALARM");
  EXPECT_EQ(TableNameOfQuery("SELECT * WHERE X FROM T"), "") << "WHERE before FROM";
  EXPECT_EQ(TableNameOfQuery("SELECT * FROM\tT\n"), "\tT\n") << "lone tabs and line feeds stay";
  EXPECT_EQ(TableNameOfQuery("SELECT MIN ([Level]) FROM Alarm "), "ALARM");
}

TEST(TableNameOfQuery, LeavesDoubleByteCharactersWhole) {
  if (std::setlocale(LC_CTYPE, "zh_CN.GBK") == nullptr) GTEST_SKIP() << "no GBK locale";
  // The second byte of this character is "[" and of the next a lower-case "a".
  const std::string bracketTrail = "\x81[";
  const std::string letterTrail = "\x81\x61";
  EXPECT_EQ(TableNameOfQuery("SELECT * FROM " + bracketTrail + letterTrail + "x"),
            bracketTrail + letterTrail + "X");
  std::setlocale(LC_CTYPE, "C");
}

// The clause words are WHERE and ORDER; the legacy profile knows WHERE only.
TEST(MakeWhereClause, AddsWhereUnlessTheConditionStartsWithAClauseWord) {
  EXPECT_EQ(MakeWhereClause(""), "");
  EXPECT_EQ(MakeWhereClause(" \t\r\n\v\f"), "");
  EXPECT_EQ(MakeWhereClause("Level > 2"), "\n\tWHERE Level > 2");
  EXPECT_EQ(MakeWhereClause("  where Level > 2 "), "\n\twhere Level > 2 ");
  EXPECT_EQ(MakeWhereClause("Where x"), "\n\tWhere x");
  EXPECT_EQ(MakeWhereClause("order by x"),
            LegacyProfile() ? "\n\tWHERE order by x" : "\n\torder by x");
  EXPECT_EQ(MakeWhereClause("ORDERS > 3"),
            LegacyProfile() ? "\n\tWHERE ORDERS > 3" : "\n\tORDERS > 3");
  EXPECT_EQ(MakeWhereClause("GROUP BY Tag"), "\n\tWHERE GROUP BY Tag");
  EXPECT_EQ(MakeWhereClause("ORDE"), "\n\tWHERE ORDE") << "shorter texts never match";
}

// The legacy profile has one bracket-free form for every connection.
TEST(AggregateExpression, StandardAndMySqlForms) {
  const profile::Dialect& standard = profile::Active().dialectOf("Driver=SQLite3");
  const profile::Dialect& mysql = profile::Active().dialectOf("Driver=MySQL ODBC 3.51 Driver");
  const bool legacy = LegacyProfile();
  EXPECT_EQ(schema::MakeAggregateExpression(0, "Level", standard),
            legacy ? "AVG(Level) " : "AVG([Level]) ");
  EXPECT_EQ(schema::MakeAggregateExpression(2, "Level", standard),
            legacy ? "MIN (Level) " : "MIN ([Level]) ");
  EXPECT_EQ(schema::MakeAggregateExpression(5, "Tag", standard),
            legacy ? "COUNT (DISTINCT Tag) " : "COUNT (DISTINCT [Tag]) ");
  EXPECT_EQ(schema::MakeAggregateExpression(2, "Level", mysql),
            legacy ? "MIN (Level) " : "MIN(`Level`) ");
  EXPECT_EQ(schema::MakeAggregateExpression(6, "Level", standard), "");
  EXPECT_EQ(schema::MakeAggregateExpression(-1, "Level", mysql), "");
  EXPECT_EQ(schema::MakeAggregateExpression(1, " a]b ", standard),
            legacy ? "SUM( a]b ) " : "SUM([ a]b ]) ");
}

TEST(DialectDetection, FindsTheMySqlDriverWrittenWithoutBraces) {
  using connections::DetectMySqlDialect;
  EXPECT_EQ(DetectMySqlDialect("DSN=x;DRIVER=MySQL ODBC 3.51 Driver;"), 1);
  EXPECT_EQ(DetectMySqlDialect("dsn=x; driver = mysql;"), 1);
  EXPECT_EQ(DetectMySqlDialect("Driver=MySQL ODBC 3.51 Driver;Server=h"), 1);
  EXPECT_EQ(DetectMySqlDialect("DSN=x;DRIVER={MySQL ODBC 3.51 Driver}"), 0);
  EXPECT_EQ(DetectMySqlDialect("Driver=SQLite3;Database=mysql.db"), 0);
  EXPECT_EQ(DetectMySqlDialect(""), 0);
}

TEST(TextHelpers, NumbersIgnoreTheHostsDecimalComma) {
  const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_DOUBLE_EQ(platform::AtoF(" 2.5e1x"), 25.0);
  EXPECT_DOUBLE_EQ(platform::AtoF("abc"), 0.0);
  EXPECT_DOUBLE_EQ(platform::AtoF("-0.125"), -0.125);
  if (previous != nullptr) std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(platform::AtoI("  12abc"), 12);
  EXPECT_EQ(platform::AtoI("+7"), 7);
  EXPECT_EQ(platform::AtoI(""), 0);
  EXPECT_EQ(platform::AtoI("99999999999"), 2147483647);
}

TEST(TextHelpers, CaseBlindComparisonTouchesAsciiLettersOnly) {
  EXPECT_TRUE(platform::MbsIEqual("Driver=SQLite3", "DRIVER=sqlite3"));
  EXPECT_FALSE(platform::MbsIEqual("a b", "ab"));
  EXPECT_FALSE(platform::MbsIEqual("abc", "ab"));
  EXPECT_EQ(platform::MbsNICmp("ORDERS", "order", 5), 0);
  EXPECT_EQ(platform::Trim(" \tx y\n"), "x y");
  EXPECT_EQ(platform::TrimTrailingBlanks("ab \t  "), "ab \t");
}

}  // namespace
}  // namespace quorlin
