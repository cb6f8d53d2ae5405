// The pure text rules of the library, called directly.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "connections/folded_text.h"
#include "connections/table_name_of_query.h"
#include "platform/text.h"
#include "profiles/dialects.h"
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

// Line feed and tab pairs go only once blanks and brackets are gone, and removing one pair
// never makes another; the same with and without bytes beyond ASCII.
TEST(TableNameOfQuery, RemovesLineFeedTabPairsAfterBlanksAndBrackets) {
  const struct {
    const char* sql;
    const char* name;
  } cases[] = {
      {"SELECT * FROM T\n \tWHERE x", "T"},
      {"SELECT * FROM T\n\n\t", "T\n"},
      {"SELECT * FROM T\n\t\t", "T\t"},
      {"SELECT * FROM [T]\n[\t]x", "TX"},
      {"select * from\n\tt where", "T"},
      {"SELECT * FROM T\n", "T\n"},
      {"SELECT * FROM t\n \tx\xc3\xa4\n\n\t", "TX\xc3\xa4\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(TableNameOfQuery(c.sql), c.name) << c.sql;
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
  const profile::Dialect& standard = profile::Active().dialectOf("Driver=SQLite3", "SQLite");
  const profile::Dialect& mysql =
      profile::Active().dialectOf("Driver=MySQL ODBC 3.51 Driver", "MariaDB");
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

// A database that rejects square brackets gets the standard identifier quotes around the
// column, and nothing else changes; the MySQL dialect wins whatever the database.
TEST(AggregateExpression, PostgreSqlGetsTheStandardQuotesInsteadOfBrackets) {
  const auto expression = [](int kind, const char* connect, const char* dbms) {
    return schema::MakeAggregateExpression(kind, "Level",
                                           profile::Active().dialectOf(connect, dbms));
  };
  const char* const postgres = "Driver=PostgreSQL;Server=h";
  const bool legacy = LegacyProfile();
  EXPECT_EQ(expression(0, postgres, "PostgreSQL"), legacy ? "AVG(Level) " : "AVG(\"Level\") ");
  EXPECT_EQ(expression(1, postgres, "postgresql"), legacy ? "SUM(Level) " : "SUM(\"Level\") ");
  EXPECT_EQ(expression(2, postgres, "PostgreSQL"), legacy ? "MIN (Level) " : "MIN (\"Level\") ");
  EXPECT_EQ(expression(3, postgres, "PostgreSQL"), legacy ? "MAX (Level) " : "MAX (\"Level\") ");
  EXPECT_EQ(expression(4, postgres, "PostgreSQL"),
            legacy ? "COUNT (Level) " : "COUNT (\"Level\") ");
  EXPECT_EQ(expression(5, postgres, "PostgreSQL"),
            legacy ? "COUNT (DISTINCT Level) " : "COUNT (DISTINCT \"Level\") ");
  // Other products and an unnamed one keep the brackets; the MySQL dialect its backticks.
  for (const char* dbms : {"SQLite", "Microsoft SQL Server", "ACCESS", "", "PostgreSQL 9"}) {
    EXPECT_EQ(expression(0, postgres, dbms), legacy ? "AVG(Level) " : "AVG([Level]) ") << dbms;
  }
  EXPECT_EQ(expression(0, "Driver=MySQL ODBC 3.51 Driver", "PostgreSQL"),
            legacy ? "AVG(Level) " : "AVG(`Level`) ");
}

TEST(DialectDetection, FindsTheMySqlDriverWrittenWithoutBraces) {
  using profile::DetectMySqlDialect;
  EXPECT_EQ(DetectMySqlDialect("DSN=x;DRIVER=MySQL ODBC 3.51 Driver;"), 1);
  EXPECT_EQ(DetectMySqlDialect("dsn=x; driver = mysql;"), 1);
  EXPECT_EQ(DetectMySqlDialect("Driver=MySQL ODBC 3.51 Driver;Server=h"), 1);
  EXPECT_EQ(DetectMySqlDialect("DSN=x;DRIVER={MySQL ODBC 3.51 Driver}"), 0);
  EXPECT_EQ(DetectMySqlDialect("Driver=SQLite3;Database=mysql.db"), 0);
  EXPECT_EQ(DetectMySqlDialect(""), 0);
}

// The number rules hold in every locale: a host with a decimal comma reads the same values.
class NumberRules : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (std::setlocale(LC_ALL, GetParam()) == nullptr) GTEST_SKIP() << "no " << GetParam();
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_P(NumberRules, AtoFTakesDecimalNumbersOnly) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"  -2.5e1x", -25.0},
               {" 2.5e1x", 25.0},
               {"-0.125", -0.125},
               {"+.5", 0.5},
               {"5.", 5.0},
               {"\t\n\v\f\r 7", 7.0},
               {"1E3", 1000.0},
               {"1e", 1.0},
               {"1e+", 1.0},
               {"1e-2", 0.01},
               {"1,5", 1.0},
               {"0.1", 0.1},
               {"123456789012345678901234567890", 1.2345678901234568e+29},
               {"1.7976931348623157e308", 1.7976931348623157e308},
               {"4.9e-324", 4.9e-324},
               {"1e400", HUGE_VAL},
               {"-1e400", -HUGE_VAL},
               {"1.8e308", HUGE_VAL},
               {"1e-400", 0.0},
               {"0e99999999999999999999", 0.0},
               {"0.0001e99999999999999999999", HUGE_VAL},
               {"0x10", 0.0},
               {"0X1p4", 0.0},
               {"inf", 0.0},
               {"-INFINITY", 0.0},
               {"nan", 0.0},
               {"NAN(1)", 0.0},
               {"abc", 0.0},
               {"", 0.0},
               {".", 0.0},
               {"-", 0.0},
               {"e5", 0.0},
               {"- 1", 0.0},
               {"+-1", 0.0}};
  for (const auto& c : cases) EXPECT_EQ(platform::AtoF(c.text), c.value) << c.text;
  EXPECT_EQ(platform::AtoF("0." + std::string(1000000, '0') + "1e1000000"), 0.1)
      << "a million zeros after the point";
}

TEST_P(NumberRules, AtoITakesDecimalDigitsAndClamps) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"  12abc", 12},
               {"+7", 7},
               {"", 0},
               {"\t-3", -3},
               {"2147483647", 2147483647},
               {"-2147483648", -2147483647 - 1},
               {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1},
               {"0x10", 0},
               {"3.9", 3},
               {"1e3", 1},
               {"- 3", 0},
               {"+-1", 0},
               {"abc", 0}};
  for (const auto& c : cases) EXPECT_EQ(platform::AtoI(c.text), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberRules, ::testing::Values("C", "de_DE.UTF-8"),
                         [](const auto& info) { return info.index == 0 ? "C" : "German"; });

// Quoted texts are cut at a whole character of the locale's character set.
TEST(TextHelpers, LongQuotedTextsAreShortenedAtAWholeCharacter) {
  const std::string gbkChar = "\xb0\xa1";       // one double-byte character
  const std::string utf8Char = "\xe4\xb8\xad";  // one three-byte character
  const struct {
    const char* locale;
    std::string text;
    std::string quoted;
  } cases[] = {
      {"C", "Tag", "Tag"},
      {"C", std::string(64, 'a'), std::string(64, 'a')},
      {"C", std::string(65, 'a'), std::string(64, 'a') + "..."},
      {"C", std::string(1 << 20, 'n'), std::string(64, 'n') + "..."},
      {"zh_CN.GBK", std::string(63, 'a') + gbkChar + "b", std::string(63, 'a') + "..."},
      {"zh_CN.GBK", std::string(62, 'a') + gbkChar + "b", std::string(62, 'a') + gbkChar + "..."},
      {"zh_CN.UTF-8", std::string(62, 'a') + utf8Char, std::string(62, 'a') + "..."},
  };
  for (const auto& c : cases) {
    if (std::setlocale(LC_CTYPE, c.locale) == nullptr) continue;
    EXPECT_EQ(platform::QuotedInMessage(c.text), c.quoted) << c.locale << " " << c.text.size();
  }
  std::setlocale(LC_CTYPE, "C");
}

TEST(TextHelpers, CaseBlindComparisonTouchesAsciiLettersOnly) {
  EXPECT_TRUE(platform::MbsIEqual("Driver=SQLite3", "DRIVER=sqlite3"));
  EXPECT_FALSE(platform::MbsIEqual("a b", "ab"));
  EXPECT_FALSE(platform::MbsIEqual("abc", "ab"));
  EXPECT_EQ(platform::MbsNICmp("ORDERS", "order", 5), 0);
  EXPECT_EQ(platform::Trim(" \tx y\n"), "x y");
  EXPECT_EQ(platform::TrimTrailingBlanks("ab \t  "), "ab \t");
}

// Cache names and connect strings are compared through texts folded once; the answer must be
// the full comparison's in every locale, including where a double-byte character's second
// byte is an ASCII letter that folding alone would change.
TEST(TextHelpers, FoldedTextsCompareAsTheFullCaseBlindComparison) {
  struct Case {
    const char* locale;
    std::string left;
    std::string right;
    bool equal;
  };
  const Case cases[] = {
      {"C", "TANKLEVEL", "tanklevel", true},
      {"C", "TankLevel", "Tank Level", false},
      {"C", "T1", "T10", false},
      {"C", "", "", true},
      {"C", "Driver=SQLite3;Database=/t/A.db", "DRIVER=sqlite3;DATABASE=/T/a.DB", true},
      {"C", "x\x81\x61", "X\x81\x41", true},           // not double-byte here: two characters each
      {"zh_CN.GBK", "x\x81\x61", "X\x81\x41", false},  // one character each, and different
      {"zh_CN.GBK", "x\x81\x61", "X\x81\x61", true},
      {"zh_CN.GBK", "\xb1\xed\x61", "\xb1\xed\x41", true},
  };
  for (const Case& c : cases) {
    // The cases of the C locale come first and have run when this skips.
    if (std::setlocale(LC_CTYPE, c.locale) == nullptr)
      GTEST_SKIP() << "no " << c.locale << " locale";
    const connections::FoldedText left(c.left);
    const connections::FoldedText right(c.right);
    EXPECT_EQ(left.CaseBlindEquals(right), c.equal)
        << c.locale << ": " << c.left << " / " << c.right;
    EXPECT_EQ(right.CaseBlindEquals(left), c.equal)
        << c.locale << ": " << c.right << " / " << c.left;
    EXPECT_EQ(platform::MbsIEqual(c.left, c.right), c.equal) << "the full comparison agrees";
  }
  std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace quorlin
