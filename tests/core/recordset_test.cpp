// The platform recordset scrolls the same way whether a driver cursor scrolls or the rows
// are kept in memory.
#include "platform/recordset.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/database.h"
#include "platform/db_exception.h"
#include "platform/odbc_handle.h"
#include "platform/row_source_blocks.h"
#include "temp_dir.h"

namespace quorlin::platform {
namespace {

class RecordsetModes : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        database_.OpenEx("Driver=SQLite3;Database=" + dir_.Path("r.db"), CDatabase::noOdbcDialog));
    database_.ExecuteSQL("CREATE TABLE R (ID INTEGER, Name TEXT)");
    database_.ExecuteSQL("INSERT INTO R VALUES (1,'a'),(2,NULL),(3,'" + std::string(1500, 'z') +
                         "')");
    database_.ExecuteSQL("CREATE TABLE E (ID INTEGER)");
  }
  std::unique_ptr<CRecordset> Open(const std::string& sql) {
    auto recordset = std::make_unique<CRecordset>(&database_);
    recordset->Open(CRecordset::snapshot, sql, CRecordset::readOnly | GetParam());
    return recordset;
  }
  test::TempDir dir_;
  CDatabase database_;
};

TEST_P(RecordsetModes, ScrollsEveryWay) {
  auto rs = Open("SELECT * FROM R ORDER BY ID");
  EXPECT_EQ(rs->KeepsRowsInMemory(), GetParam() != 0);
  EXPECT_FALSE(rs->IsBOF());
  EXPECT_EQ(rs->GetFieldValue(0), "1");
  EXPECT_EQ(rs->GetFieldValue("name"), "a");
  rs->MoveNext();
  EXPECT_EQ(rs->GetFieldValue("Name"), "") << "NULL reads as the empty text";
  rs->MoveNext();
  EXPECT_EQ(rs->GetFieldValue(1), std::string(1500, 'z'));
  EXPECT_EQ(rs->GetFieldValue(1), std::string(1500, 'z')) << "fields can be read again";
  rs->MoveNext();
  EXPECT_TRUE(rs->IsEOF());
  EXPECT_THROW(rs->GetFieldValue(0), CDBException);
  EXPECT_THROW(rs->MoveNext(), CDBException);
  rs->MovePrev();
  EXPECT_EQ(rs->GetFieldValue(0), "3");
  rs->Move(2, CRecordset::fetchAbsolute);
  EXPECT_EQ(rs->GetFieldValue(0), "2");
  rs->MoveFirst();
  rs->MovePrev();
  EXPECT_TRUE(rs->IsBOF());
  EXPECT_THROW(rs->MovePrev(), CDBException);
  rs->MoveLast();
  EXPECT_EQ(rs->GetFieldValue(0), "3");
  EXPECT_EQ(rs->GetTableName(), "R");
  EXPECT_EQ(rs->GetODBCFieldCount(), 2);
  EXPECT_EQ(rs->GetFieldName(1), "Name");
}

TEST_P(RecordsetModes, EmptyResultHasBothFlags) {
  auto rs = Open("SELECT * FROM E");
  EXPECT_TRUE(rs->IsBOF());
  EXPECT_TRUE(rs->IsEOF());
  rs->MoveFirst();
  EXPECT_TRUE(rs->IsBOF() && rs->IsEOF());
  EXPECT_EQ(rs->KnownRecordCount(), 0);
}

TEST_P(RecordsetModes, LearnsItsSizeByWalkingToTheEnd) {
  auto rs = Open("SELECT * FROM R");
  while (!rs->IsEOF()) rs->MoveNext();
  EXPECT_EQ(rs->KnownRecordCount(), 3);
}

TEST_P(RecordsetModes, ClosedRecordsetRefusesMovesAndReads) {
  auto rs = Open("SELECT COUNT(*) FROM R");
  EXPECT_EQ(rs->GetTableName(), "") << "an aggregate column comes from no table";
  rs->Close();
  EXPECT_FALSE(rs->IsEOF());
  EXPECT_THROW(rs->MoveFirst(), CDBException);
  EXPECT_THROW(rs->GetFieldValue(0), CDBException);
  EXPECT_EQ(rs->GetSQL(), "SELECT COUNT(*) FROM R");
}

TEST_P(RecordsetModes, FailedOpenThrowsTheDriversText) {
  try {
    Open("SELECT * FROM Missing");
    FAIL() << "no exception";
  } catch (const CDBException& e) {
    EXPECT_NE(e.ErrorText().find("no such table: Missing"), std::string::npos) << e.ErrorText();
    EXPECT_EQ(e.Statement(), "SELECT * FROM Missing");
  }
}

// The driver copies a name that does not fit its buffer in part and says nothing more: names
// are read again in larger buffers, up to the 32,766 bytes that ODBC can hand over at all.
TEST_P(RecordsetModes, ColumnNamesOfAnyLengthAreReadWhole) {
  for (const std::size_t length : {511, 512, 600, 2000, 32766, 40000}) {
    const std::string name(length, 'c');
    auto rs = Open("SELECT 7 AS " + name + ", 8 AS Short");
    const std::size_t delivered = std::min<std::size_t>(length, 32766);
    EXPECT_EQ(rs->GetFieldName(0).size(), delivered) << length;
    EXPECT_EQ(rs->GetFieldValue(name.substr(0, delivered)), "7") << length << " read by name";
    EXPECT_EQ(rs->GetFieldValue("short"), "8") << length;
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, RecordsetModes,
                         ::testing::Values(0u, unsigned{CRecordset::keepRowsInMemory}),
                         [](const auto& info) { return info.param ? "InMemory" : "Cursor"; });

// A count the driver states is believed only once the cursor confirms it; a wrong one costs
// a probe or two and never shows.
TEST(BlockRowSource, BelievesOnlyStatedCountsThatHold) {
  test::TempDir dir;
  CDatabase database;
  ASSERT_TRUE(
      database.OpenEx("Driver=SQLite3;Database=" + dir.Path("b.db"), CDatabase::noOdbcDialog));
  database.ExecuteSQL("CREATE TABLE B (ID INTEGER)");
  std::string values = "(1)";
  for (int i = 2; i <= 1234; ++i) values += ",(" + std::to_string(i) + ")";
  database.ExecuteSQL("INSERT INTO B VALUES " + values);
  const std::vector<std::vector<long>> stated = {
      {}, {0}, {1234}, {1233}, {1235}, {1}, {-1, 5000, 0}, {600, 1234}, {1000000000}};
  for (const std::vector<long>& counts : stated) {
    OdbcHandle statement = AllocateHandle(SQL_HANDLE_STMT, database.Connection());
    ASSERT_TRUE(Succeeded(SQLSetStmtAttr(statement.Get(), SQL_ATTR_CURSOR_TYPE,
                                         reinterpret_cast<SQLPOINTER>(SQL_CURSOR_STATIC), 0)));
    char sql[] = "SELECT ID FROM B ORDER BY ID";
    ASSERT_TRUE(
        Succeeded(SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(sql), SQL_NTS)));
    BlockRowSource rows(std::move(statement), 1, sql, counts);
    ASSERT_TRUE(rows.Start());
    ASSERT_TRUE(rows.Fetch(SQL_FETCH_ABSOLUTE, 700));
    EXPECT_EQ(rows.KnownSize(), 1234) << ::testing::PrintToString(counts);
    EXPECT_EQ(rows.Row()[0], "700") << "the count leaves the source on its row";
    ASSERT_TRUE(rows.Fetch(SQL_FETCH_NEXT, 1));
    EXPECT_EQ(rows.Row()[0], "701");
    ASSERT_TRUE(rows.Fetch(SQL_FETCH_LAST, -1));
    EXPECT_EQ(rows.Row()[0], "1234");
  }
}

// Only the driver's own shortage ends a connection; a server's refusal in other words, or a
// lost server, does not.
TEST(DriverDiagnostics, OutOfMemoryIsTheStandardStateOrADriversOwnWords) {
  const struct {
    const char* state;
    const char* text;
    bool outOfMemory;
  } cases[] = {
      {"HY001", "Out of memory while reading tuples.", true},
      {"S1001", "Memory allocation error", true},
      {"HY000", "[ma-3.1.15][10.11.19-MariaDB]Client run out of memory", true},
      {"HY000", "out of memory for query result", true},
      {"HY000", "Lost connection to server during query", false},
      {"53200", "ERROR: out of memory", false},
      {"08S01", "Communication link failure", false},
      {"", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MeansOutOfMemory(c.state, c.text), c.outOfMemory) << c.state << " " << c.text;
  }
}

}  // namespace
}  // namespace quorlin::platform
