// Table creation and record modification through the exports: failures, and the full cycle
// on every database.
#include <cstring>
#include <new>

#include "database_fixture.h"
#include "grid_writer.h"

namespace quorlin::test {
namespace {

class SchemaFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    SQLCleanup();
    id_ = SQLConnectToDatabase(("Driver=SQLite3;Database=" + dir_.Path("f.db")).c_str());
    ASSERT_GE(id_, 0) << LastError();
    datasheet_ = dir_.Path("t.ds");
    WriteFile(datasheet_, GridBytes({CaptionRow(6), DatasheetRow("A", 1, "")}));
    bindTable_ = dir_.Path("t.bt");
    WriteFile(bindTable_, GridBytes({CaptionRow(4), BindRow("A", 1)}));
  }
  void TearDown() override { SQLCleanup(); }
  TempDir dir_;
  std::string datasheet_;
  std::string bindTable_;
  int id_ = -1;
};

TEST_F(SchemaFailures, UnreadableDatasheetsFailBeforeAnythingElse) {
  MarkLastError();
  EXPECT_EQ(SQLCreateTable(id_ + 9, "T", dir_.Path("missing.ds").c_str()), -1);
  EXPECT_EQ(SQLCreateTable(id_, "T", bindTable_.c_str()), -1) << "four columns are no datasheet";
  EXPECT_EQ(LastError(), kMarker) << "missing and wrong files report nothing";
  WriteFile(dir_.Path("short.ds"), GridBytes(3, 6, {CaptionRow(6)}));
  EXPECT_EQ(SQLCreateTable(id_, "T", dir_.Path("short.ds").c_str()), -1);
  EXPECT_EQ(LastError(), GridUnreadableText());
}

TEST_F(SchemaFailures, ClosedConnectionsRunNothing) {
  const std::string names = SlotBlock({"A"});
  const int types[] = {1};
  MarkLastError();
  EXPECT_EQ(SQLCreateTable(id_ + 9, "T", datasheet_.c_str()), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  MarkLastError();
  EXPECT_EQ(SQLCreateTableEx(id_ + 9, 1, "T", names.c_str(), types, nullptr), -1);
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  MarkLastError();
  for (int result : {SQLDropTable(id_ + 9, "T"), SQLDeleteRecord(id_ + 9, "T", ""),
                     SQLInsertRecord(id_ + 9, "T", bindTable_.c_str(), names.c_str()),
                     SQLUpdateRecord(id_ + 9, "T", bindTable_.c_str(), names.c_str(), ""),
                     SQLInsertRecordEx(id_ + 9, 1, "T", types, names.c_str(), names.c_str())}) {
    EXPECT_EQ(result, -1);
  }
  EXPECT_EQ(LastError(), SilentInLegacy("Database not open"));
  EXPECT_EQ(SQLSelectToTable(id_, "T", ""), -1) << "no table was created";
}

TEST_F(SchemaFailures, TableCreationCountsAsSentWhenTheDatabaseRefuses) {
  Exec(id_, "CREATE TABLE T (A INTEGER)");
  MarkLastError();
  EXPECT_EQ(SQLCreateTable(id_, "T", datasheet_.c_str()), 0);
  EXPECT_NE(LastError().find("already exists"), std::string::npos) << LastError();
  MarkLastError();
  EXPECT_EQ(SQLDropTable(id_, "NoSuchTable"), -1);
  if (LegacyProfile()) {
    EXPECT_EQ(LastError(), kMarker) << "the legacy profile swallows DROP TABLE's refusal";
  } else {
    EXPECT_NE(LastError().find("no such table"), std::string::npos) << LastError();
  }
}

TEST_F(SchemaFailures, MissingArraysAreRefusedWithAReason) {
  const std::string names = SlotBlock({"A", "B"});
  const int types[] = {1, 2};
  EXPECT_EQ(SQLCreateTableEx(id_, 2, "T", names.c_str(), types, nullptr), -1);
  EXPECT_NE(LastError().find("widths"), std::string::npos) << LastError();
  EXPECT_EQ(SQLCreateTableEx(id_, 2, "T", nullptr, types, nullptr), -1);
  EXPECT_EQ(SQLCreateTableEx(id_, 1, "T", names.c_str(), nullptr, nullptr), -1);
  EXPECT_EQ(SQLInsertRecordEx(id_, 2, "T", types, names.c_str(), nullptr), -1);
  EXPECT_EQ(SQLInsertRecordEx(id_, 2, "T", nullptr, names.c_str(), names.c_str()), -1);
  EXPECT_EQ(SQLInsertRecord(id_, "T", bindTable_.c_str(), nullptr), -1);
  EXPECT_NE(LastError().find("value"), std::string::npos) << LastError();
  EXPECT_EQ(SQLSelectToTable(id_, "T", ""), -1) << "nothing was created";
}

// The legacy profile has no test of the count: it sends the empty lists, which are refused.
TEST_F(SchemaFailures, CountsBelowOneInsertNothingAndSayNothingUnlessLegacy) {
  MarkLastError();
  EXPECT_EQ(SQLInsertRecordEx(id_ + 9, -2, "T", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(LastError(), kMarker);
  EXPECT_EQ(SQLInsertRecordEx(id_, 0, "T", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(LastError() != kMarker, LegacyProfile()) << LastError();
}

TEST_F(SchemaFailures, UnloadableBindTablesRunNothingAndReport) {
  Exec(id_, "CREATE TABLE T (A INTEGER)");
  const std::string values = SlotBlock({"1"});
  for (const std::string& path : {dir_.Path("missing.bt"), datasheet_}) {
    MarkLastError();
    EXPECT_EQ(SQLInsertRecord(id_, "T", path.c_str(), values.c_str()), -1) << path;
    EXPECT_EQ(LastError(), GridUnreadableText());
    EXPECT_EQ(SQLUpdateRecord(id_, "T", path.c_str(), values.c_str(), ""), -1) << path;
  }
  ASSERT_EQ(SQLSelectToTable(id_, "T", ""), 0);
  EXPECT_EQ(SQLGetRowCount(), 0);
}

TEST_F(SchemaFailures, GetBindTableHandsOutOneBlockTheHostFrees) {
  WriteFile(dir_.Path("three.bt"),
            GridBytes({CaptionRow(4), BindRow("Tag", 2, "d"), BindRow("Level", 9)}));
  BindEntry* entries = nullptr;
  unsigned count = 0;
  ASSERT_EQ(GetBindTable(dir_.Path("three.bt").c_str(), &entries, &count), 1);
  ASSERT_EQ(count, 2u);
  EXPECT_STREQ(entries[1].fieldName, "Level");
  EXPECT_EQ(entries[1].typeCode, 9);
  ::operator delete(entries);

  WriteFile(dir_.Path("caption.bt"), GridBytes({CaptionRow(4)}));
  entries = nullptr;
  ASSERT_EQ(GetBindTable(dir_.Path("caption.bt").c_str(), &entries, &count), 1);
  EXPECT_EQ(count, 0u);
  EXPECT_NE(entries, nullptr) << "a valid block even without entries";
  ::operator delete(entries);
}

TEST_F(SchemaFailures, GetBindTableFailuresLeaveNothingToFree) {
  BindEntry marker{};
  BindEntry* entries = &marker;
  unsigned count = 42;
  MarkLastError();
  EXPECT_EQ(GetBindTable(dir_.Path("missing.bt").c_str(), &entries, &count), 0);
  EXPECT_EQ(entries, &marker) << "a missing file leaves the out-arguments alone";
  EXPECT_EQ(GetBindTable(datasheet_.c_str(), &entries, &count), 0);
  EXPECT_EQ(entries, nullptr);
  EXPECT_EQ(count, 42u);
  EXPECT_EQ(LastError(), kMarker);
  WriteFile(dir_.Path("zero.bt"), GridBytes(0, 4, {}));
  EXPECT_EQ(GetBindTable(dir_.Path("zero.bt").c_str(), &entries, &count), 0);
  EXPECT_EQ(LastError(), GridUnreadableText());
  EXPECT_EQ(GetBindTable(bindTable_.c_str(), nullptr, &count), 0);
  EXPECT_EQ(GetBindTable(bindTable_.c_str(), &entries, nullptr), 0);
  EXPECT_EQ(GetBindTable(nullptr, &entries, &count), 0);
}

// The whole cycle on each database; in the full profile MariaDB's standard connection turns
// on ANSI_QUOTES for its session, as a host that uses the double-quoting exports there must.
// The legacy profile quotes no names, so conditions name the columns bare, as PostgreSQL
// folded them.
class RecordCycle : public OnEachDatabase {
 protected:
  void SetUp() override {
    if (GetParam().mysqlDialect) GTEST_SKIP() << "the MySQL dialect has its own test";
    OnEachDatabase::SetUp();
  }
};

TEST_P(RecordCycle, CreateInsertUpdateDeleteAndDrop) {
  int id = id_;
  if (GetParam().name == "MariaDB" && !LegacyProfile()) {
    const std::string ansi =
        GetParam().connect + "INITSTMT={SET SESSION sql_mode=CONCAT(@@sql_mode,',ANSI_QUOTES')};";
    id = SQLConnectToDatabase(ansi.c_str());
    ASSERT_GE(id, 0) << LastError();
  }
  TempDir dir;
  const std::string table = TableName("Cycle");
  const std::string idColumn = LegacyProfile() ? "ID" : "\"ID\"";
  SQLExcute(id, ("DROP TABLE " + table).c_str());
  WriteFile(dir.Path("c.ds"),
            GridBytes({CaptionRow(6), DatasheetRow("ID", 1, ""), DatasheetRow("Tag", 2, "12"),
                       DatasheetRow("Level", 0, ""), DatasheetRow("Stamp", 3, "")}));
  WriteFile(dir.Path("c.bt"), GridBytes({CaptionRow(4), BindRow("ID", 1), BindRow("Tag", 2),
                                         BindRow("Level", 0), BindRow("Stamp", 3)}));
  MarkLastError();
  ASSERT_EQ(SQLCreateTable(id, table.c_str(), dir.Path("c.ds").c_str()), 0);
  ASSERT_EQ(LastError(), kMarker) << "the database refused the table";
  for (const auto& row :
       {SlotBlock({"1", "T1", "1.5", "2001-02-03"}), SlotBlock({"2", "T2", "2.5", "2002-03-04"})}) {
    ASSERT_EQ(SQLInsertRecord(id, table.c_str(), dir.Path("c.bt").c_str(), row.c_str()), 0)
        << LastError();
  }
  const std::string names = SlotBlock({"ID", "Tag", "Level", "Stamp"});
  const int types[] = {1, 2, 0, 3};
  const std::string third = SlotBlock({"3", "T3", "3.5", "2003-04-05"});
  ASSERT_EQ(SQLInsertRecordEx(id, 4, table.c_str(), types, names.c_str(), third.c_str()), 0)
      << LastError();
  const std::string changed = SlotBlock({"2", "X2", "9", "2009-09-09"});
  ASSERT_EQ(SQLUpdateRecord(id, table.c_str(), dir.Path("c.bt").c_str(), changed.c_str(),
                            (idColumn + " = 2").c_str()),
            0)
      << LastError();
  ASSERT_EQ(SQLDeleteRecord(id, table.c_str(), (idColumn + " = 1").c_str()), 0) << LastError();

  ASSERT_EQ(SQLSelectToTable(id, table.c_str(), OrderBy(idColumn).c_str()), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 2);
  EXPECT_EQ(Field("Tag"), CharValue(GetParam(), "X2", 12));
  EXPECT_DOUBLE_EQ(std::stod(Field("Level")), 9.0);
  EXPECT_EQ(Field("Stamp").substr(0, 10), "2009-09-09");
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  EXPECT_EQ(Field("Tag"), CharValue(GetParam(), "T3", 12));
  EXPECT_EQ(SQLDropTable(id, table.c_str()), 0) << LastError();
}

QUORLIN_ON_EACH_DATABASE(RecordCycle);

// A connection through the MySQL-named driver in MariaDB's default mode: the MySQL dialect in
// the full profile; in the legacy profile, bare names like every other connection.
class MySqlDialectRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_ = MySqlDriverBackend();
    QUORLIN_REQUIRE_BACKEND(backend_);
    SQLCleanup();
    id_ = SQLConnectToDatabase(backend_.connect.c_str());
    ASSERT_GE(id_, 0) << LastError();
    table_ = TableName("MyRec");
    SQLExcute(id_, ("DROP TABLE IF EXISTS " + table_).c_str());
    SQLExcute(id_, ("DROP TABLE IF EXISTS " + table_ + "x").c_str());
  }
  void TearDown() override { SQLCleanup(); }
  Backend backend_;
  std::string table_;
  int id_ = -1;
};

TEST_F(MySqlDialectRecords, ArrayExportsUseBackticksTheOthersAreRefusedAndLegacyNamesAreBare) {
  const std::string names = SlotBlock({"ID", "Tag"});
  const int types[] = {1, 2};
  const int widths[] = {0, 10};
  MarkLastError();
  ASSERT_EQ(SQLCreateTableEx(id_, 2, table_.c_str(), names.c_str(), types, widths), 0);
  ASSERT_EQ(LastError(), kMarker) << "MariaDB refused the table";
  const std::string values = SlotBlock({"7", "T7"});
  ASSERT_EQ(SQLInsertRecordEx(id_, 2, table_.c_str(), types, names.c_str(), values.c_str()), 0)
      << LastError();

  TempDir dir;
  WriteFile(dir.Path("b.bt"), GridBytes({CaptionRow(4), BindRow("ID", 1), BindRow("Tag", 2)}));
  const std::string more = SlotBlock({"8", "T8"});
  MarkLastError();
  if (LegacyProfile()) {
    EXPECT_EQ(SQLInsertRecord(id_, table_.c_str(), dir.Path("b.bt").c_str(), more.c_str()), 0)
        << LastError();
  } else {
    EXPECT_EQ(SQLInsertRecord(id_, table_.c_str(), dir.Path("b.bt").c_str(), more.c_str()), -1);
    EXPECT_NE(LastError().find("SQL syntax"), std::string::npos)
        << "the server's own message: " << LastError();
  }
  WriteFile(dir.Path("t.ds"), GridBytes({CaptionRow(6), DatasheetRow("A", 1, "")}));
  MarkLastError();
  EXPECT_EQ(SQLCreateTable(id_, (table_ + "x").c_str(), dir.Path("t.ds").c_str()), 0);
  EXPECT_EQ(LastError() == kMarker, LegacyProfile())
      << "double quotes are refused, and the result is still 0: " << LastError();
  SQLExcute(id_, ("DROP TABLE IF EXISTS " + table_ + "x").c_str());

  ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), ""), 0);
  EXPECT_EQ(SQLGetRowCount(), LegacyProfile() ? 2 : 1);
  EXPECT_EQ(Field("Tag"), "T7");
  EXPECT_EQ(SQLDropTable(id_, table_.c_str()), 0) << LastError();
}

}  // namespace
}  // namespace quorlin::test
