// Table creation and record modification: the texts the driver receives, byte for byte. The
// full profile double-quotes the names; the legacy profile writes them bare.
#include <cstring>

#include "database_fixture.h"
#include "grid_writer.h"

namespace quorlin::test {
namespace {

class SqliteSchemaTexts : public OnTracedSqlite {
 protected:
  void SetUp() override {
    OnTracedSqlite::SetUp();
    if (HasFatalFailure()) return;
    WriteFile(dir_.Path("staff.ds"),
              GridBytes({CaptionRow(6), DatasheetRow("ID", 1, ""), DatasheetRow("Name", 2, "20"),
                         DatasheetRow("Born", 3, "")}));
    WriteFile(dir_.Path("log.bt"), GridBytes({CaptionRow(4), BindRow("Tag", 2), BindRow("Value", 0),
                                              BindRow("Stamp", 3)}));
  }
};

TEST_F(SqliteSchemaTexts, CreateTableFromADatasheet) {
  ASSERT_EQ(SQLCreateTable(id_, "Staff", dir_.Path("staff.ds").c_str()), 0) << LastError();
  EXPECT_EQ(LastStatement(),
            LegacyProfile()
                ? "CREATE TABLE Staff (ID NUMERIC,Name CHAR(20),Born DATE)"
                : "CREATE TABLE Staff (\"ID\" NUMERIC,\"Name\" CHAR(20),\"Born\" DATE)");
  EXPECT_EQ(SQLDropTable(id_, "Staff"), 0) << LastError();
  EXPECT_EQ(LastStatement(), "DROP TABLE Staff");
}

// The legacy profile writes one blank before the type and keeps the blanks around the names.
TEST_F(SqliteSchemaTexts, CreateTableFromArraysHasNoBlankBeforeTheTypeUnlessLegacy) {
  const std::string names = SlotBlock({"ID", " \tName  ", "Born"});
  const int types[] = {1, 2, 3};
  const int widths[] = {99, 20, 99};
  ASSERT_EQ(SQLCreateTableEx(id_, 3, "Staff", names.c_str(), types, widths), 0) << LastError();
  EXPECT_EQ(LastStatement(),
            LegacyProfile() ? "CREATE TABLE Staff (ID NUMERIC, \tName   CHAR(20),Born DATE)"
                            : "CREATE TABLE Staff (\"ID\"NUMERIC,\"Name\"CHAR(20),\"Born\"DATE)");
}

TEST_F(SqliteSchemaTexts, EmptyColumnListsAreSentAndRejected) {
  WriteFile(dir_.Path("empty.ds"), GridBytes({CaptionRow(6)}));
  MarkLastError();
  EXPECT_EQ(SQLCreateTable(id_, "Nothing", dir_.Path("empty.ds").c_str()), 0);
  EXPECT_EQ(LastStatement(), "CREATE TABLE Nothing ()");
  EXPECT_NE(LastError(), kMarker) << "the database's rejection is reported";
  EXPECT_EQ(SQLCreateTableEx(id_, 0, "Nothing", nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(LastStatement(), "CREATE TABLE Nothing ()");
}

TEST_F(SqliteSchemaTexts, UnknownTypeCodesGiveNoTypeWord) {
  const std::string names = SlotBlock({"A", "B"});
  const int types[] = {7, -1};
  ASSERT_EQ(SQLCreateTableEx(id_, 2, "Untyped", names.c_str(), types, nullptr), 0) << LastError();
  EXPECT_EQ(LastStatement(), LegacyProfile() ? "CREATE TABLE Untyped (A ,B )"
                                             : "CREATE TABLE Untyped (\"A\",\"B\")");
}

TEST_F(SqliteSchemaTexts, RecordStatementsOfTheWorkedExample) {
  Exec(id_, "CREATE TABLE Log (ID INTEGER, Tag CHAR(8), Value FLOAT, Stamp DATE)");
  const std::string values = SlotBlock({"T1", "3.5", "2001-02-03"});
  const std::string bind = dir_.Path("log.bt");
  ASSERT_EQ(SQLInsertRecord(id_, "Log", bind.c_str(), values.c_str()), 0) << LastError();
  EXPECT_EQ(
      LastStatement(),
      LegacyProfile()
          ? "INSERT INTO Log\n\t(Tag,Value,Stamp)\n\tVALUES('T1',3.5,'2001-02-03')"
          : "INSERT INTO Log\n\t(\"Tag\" ,\"Value\" ,\"Stamp\" )\n\tVALUES('T1',3.5,'2001-02-03')");
  ASSERT_EQ(SQLUpdateRecord(id_, "Log", bind.c_str(), values.c_str(), "ID=7"), 0) << LastError();
  EXPECT_EQ(LastStatement(),
            LegacyProfile()
                ? "UPDATE Log\n\t SET Tag = 'T1',Value = 3.5,Stamp = '2001-02-03'\n\tWHERE ID=7"
                : "UPDATE Log\n\t SET \"Tag\" = 'T1',\"Value\" = 3.5,\"Stamp\" = "
                  "'2001-02-03'\n\tWHERE ID=7");
  ASSERT_EQ(SQLDeleteRecord(id_, "Log", "ID=7"), 0) << LastError();
  EXPECT_EQ(LastStatement(), "DELETE FROM Log\n\t \n\tWHERE ID=7");
  const std::string names = SlotBlock({"Tag", "  Value\t", "Stamp"});
  const int types[] = {2, 0, 3};
  ASSERT_EQ(SQLInsertRecordEx(id_, 3, "Log", types, names.c_str(), values.c_str()), 0)
      << LastError();
  EXPECT_EQ(
      LastStatement(),
      LegacyProfile()
          ? "INSERT INTO Log\n\t(Tag,Value,Stamp)\n\tVALUES('T1',3.5,'2001-02-03')"
          : "INSERT INTO Log\n\t(\"Tag\",\"Value\",\"Stamp\")\n\tVALUES('T1',3.5,'2001-02-03')");
}

TEST_F(SqliteSchemaTexts, ValuesAreCopiedAsGiven) {
  Exec(id_, "CREATE TABLE Log (Tag CHAR(8), Value FLOAT, Stamp DATE)");
  const std::string bind = dir_.Path("log.bt");
  MarkLastError();
  const std::string quote = SlotBlock({"O'Brien", "1", "2001-02-03"});
  EXPECT_EQ(SQLInsertRecord(id_, "Log", bind.c_str(), quote.c_str()), -1);
  EXPECT_NE(LastError(), kMarker) << "an undoubled quote is the host's SQL, judged by the database";
  const std::string doubled = SlotBlock({"O''Brien", "", "2001-02-03"});
  EXPECT_EQ(SQLInsertRecord(id_, "Log", bind.c_str(), doubled.c_str()), -1);
  EXPECT_EQ(LastStatement(),
            LegacyProfile()
                ? "INSERT INTO Log\n\t(Tag,Value,Stamp)\n\tVALUES('O''Brien',,'2001-02-03')"
                : "INSERT INTO Log\n\t(\"Tag\" ,\"Value\" ,\"Stamp\" "
                  ")\n\tVALUES('O''Brien',,'2001-02-03')");
  const std::string fine = SlotBlock({"O''Brien", "2", "2001-02-03"});
  ASSERT_EQ(SQLInsertRecord(id_, "Log", bind.c_str(), fine.c_str()), 0) << LastError();
  ASSERT_EQ(SQLSelectToTable(id_, "Log", ""), 0);
  EXPECT_EQ(Field("Tag"), "O'Brien");
}

TEST_F(SqliteSchemaTexts, BlankConditionsChangeEveryRecord) {
  Exec(id_, "CREATE TABLE Log (Tag CHAR(8), Value FLOAT, Stamp DATE)");
  Exec(id_, "INSERT INTO Log VALUES ('a', 1, 'x'), ('b', 2, 'y')");
  const std::string values = SlotBlock({"Z", "9", "2001-02-03"});
  ASSERT_EQ(SQLUpdateRecord(id_, "Log", dir_.Path("log.bt").c_str(), values.c_str(), "   "), 0);
  EXPECT_EQ(LastStatement(),
            LegacyProfile()
                ? "UPDATE Log\n\t SET Tag = 'Z',Value = 9,Stamp = '2001-02-03'"
                : "UPDATE Log\n\t SET \"Tag\" = 'Z',\"Value\" = 9,\"Stamp\" = '2001-02-03'");
  ASSERT_EQ(SQLDeleteRecord(id_, "Log", "  "), 0);
  EXPECT_EQ(LastStatement(), "DELETE FROM Log\n\t ");
  ASSERT_EQ(SQLSelectToTable(id_, "Log", ""), 0);
  EXPECT_EQ(SQLGetRowCount(), 0);
  EXPECT_EQ(SQLDeleteRecord(id_, "Log", "ORDER BY x"), -1);
  EXPECT_EQ(LastStatement(), LegacyProfile() ? "DELETE FROM Log\n\t \n\tWHERE ORDER BY x"
                                             : "DELETE FROM Log\n\t \n\tORDER BY x");
}

TEST_F(SqliteSchemaTexts, CaptionOnlyBindTableSendsEmptyLists) {
  WriteFile(dir_.Path("none.bt"), GridBytes({CaptionRow(4)}));
  MarkLastError();
  EXPECT_EQ(SQLInsertRecord(id_, "Log", dir_.Path("none.bt").c_str(), nullptr), -1);
  EXPECT_EQ(LastStatement(), "INSERT INTO Log\n\t()\n\tVALUES()");
  EXPECT_NE(LastError(), kMarker);
}

}  // namespace
}  // namespace quorlin::test
