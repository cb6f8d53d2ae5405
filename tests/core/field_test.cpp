#include <cstring>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

class Fields : public OnEachDatabase {
 protected:
  void SetUp() override {
    OnEachDatabase::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    table_ = TableName("Fld");
    Exec(id_, "DROP TABLE IF EXISTS " + table_);
    Exec(id_, "CREATE TABLE " + table_ + " (ID INTEGER, Tag VARCHAR(8), Note VARCHAR(300))");
    Exec(id_, "INSERT INTO " + table_ + " VALUES (1, 'AB   ', '" + std::string(200, 'x') + "')");
    Exec(id_, "INSERT INTO " + table_ + " VALUES (2, NULL, 'tab\t')");
    ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), OrderBy("ID").c_str()), 0) << LastError();
  }
  static BindEntry Entry(const char* name) {
    BindEntry entry{};
    std::strncpy(entry.fieldName, name, sizeof entry.fieldName);
    return entry;
  }
  std::string table_;
};

TEST_P(Fields, GetFieldValueDropsTrailingBlanksUnlessLegacyAndGetKeepsThem) {
  EXPECT_EQ(Field("Tag"), LegacyProfile() ? "AB   " : "AB");
  BindEntry entries[] = {Entry("Tag")};
  char slots[QUORLIN_GET_SLOT_SIZE];
  ASSERT_EQ(SQLGet(1, entries, slots), 1) << LastError();
  EXPECT_EQ(std::string(slots), "AB   ");
}

TEST_P(Fields, CopiesLikeStrncpy) {
  char buffer[4];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(SQLGetFieldValue("Note", buffer, 4), 1);
  EXPECT_EQ(std::string(buffer, 4), "xxxx") << "a value that fills the buffer has no terminator";
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  char four[5];
  std::memset(four, '#', sizeof four);
  ASSERT_EQ(SQLGetFieldValue("Note", four, 5), 1);
  EXPECT_EQ(std::string(four, 5), std::string("tab\t\0", 5)) << "tabs at the end stay";
}

// Some drivers hand over values with zero bytes inside (MariaDB's: BLOBs, and texts made with
// CHAR(0)); the copy still stops at the first one, as strncpy does. PostgreSQL texts cannot
// hold a zero byte: there the value simply ends where the others' first zero byte is.
TEST_P(Fields, ValuesStopAtTheirFirstZeroByte) {
  const std::string& name = GetParam().name;
  const bool mariadb = name == "MariaDB" || name == "MySQLDriver";
  const std::string note = mariadb            ? "CONCAT('ab', CHAR(0), 'cd')"
                           : name == "SQLite" ? "'ab' || char(0) || 'cd'"
                                              : "'ab'";
  const std::string table = TableName("Zero");
  Exec(id_, "DROP TABLE IF EXISTS " + table);
  Exec(id_, "CREATE TABLE " + table + " (ID INTEGER, Note VARCHAR(20)" +
                (mariadb ? ", Data BLOB)" : ")"));
  Exec(id_, "INSERT INTO " + table + " VALUES (1, " + note + (mariadb ? ", X'41004243')" : ")"));
  ASSERT_EQ(SQLSelectToTable(id_, table.c_str(), ""), 0) << LastError();
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(SQLGetFieldValue("Note", buffer, sizeof buffer), 1) << LastError();
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string("ab\0\0\0\0\0\0", 8));
  BindEntry entries[] = {Entry("Note"), Entry(mariadb ? "Data" : "ID")};
  char slots[2 * QUORLIN_GET_SLOT_SIZE];
  std::memset(slots, '#', sizeof slots);
  ASSERT_EQ(SQLGet(2, entries, slots), 1) << LastError();
  EXPECT_EQ(std::string(slots, QUORLIN_GET_SLOT_SIZE),
            "ab" + std::string(QUORLIN_GET_SLOT_SIZE - 2, '\0'));
  EXPECT_EQ(std::string(slots + QUORLIN_GET_SLOT_SIZE, QUORLIN_GET_SLOT_SIZE),
            (mariadb ? "A" : "1") + std::string(QUORLIN_GET_SLOT_SIZE - 1, '\0'));
  if (mariadb) {
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(SQLGetFieldValue("Data", buffer, sizeof buffer), 1) << LastError();
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string("A\0\0\0\0\0\0\0", 8));
  }
  Exec(id_, "DROP TABLE " + table);
}

TEST_P(Fields, NullGivesTheEmptyText) {
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(SQLGetFieldValue("Tag", buffer, sizeof buffer), 1);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(8, '\0'));
  BindEntry entries[] = {Entry("Tag"), Entry("ID")};
  char slots[2 * QUORLIN_GET_SLOT_SIZE];
  std::memset(slots, '#', sizeof slots);
  ASSERT_EQ(SQLGet(2, entries, slots), 1) << LastError();
  EXPECT_EQ(std::string(slots, QUORLIN_GET_SLOT_SIZE), std::string(QUORLIN_GET_SLOT_SIZE, '\0'));
  EXPECT_STREQ(slots + QUORLIN_GET_SLOT_SIZE, "2");
}

TEST_P(Fields, LongValuesFillTheirSlotWithoutSpillingIntoTheNext) {
  BindEntry entries[] = {Entry("Note"), Entry("ID")};
  char slots[2 * QUORLIN_GET_SLOT_SIZE + 1];
  slots[2 * QUORLIN_GET_SLOT_SIZE] = '!';
  ASSERT_EQ(SQLGet(2, entries, slots), 1) << LastError();
  EXPECT_EQ(std::string(slots, QUORLIN_GET_SLOT_SIZE), std::string(QUORLIN_GET_SLOT_SIZE, 'x'));
  EXPECT_STREQ(slots + QUORLIN_GET_SLOT_SIZE, "1");
  EXPECT_EQ(slots[2 * QUORLIN_GET_SLOT_SIZE], '!');
}

TEST_P(Fields, UnknownFieldReportsAndLeavesEmptyText) {
  // A long name is quoted shortened, so that the reason still fits the last-error text.
  const std::string huge(1 << 20, 'n');
  const struct {
    std::string name;
    std::string quoted;
  } unknown[] = {{"NoSuchField", "'NoSuchField'"}, {huge, "'" + huge.substr(0, 64) + "...'"}};
  for (const auto& field : unknown) {
    char buffer[8] = "junk";
    MarkLastError();
    EXPECT_EQ(SQLGetFieldValue(field.name.c_str(), buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_NE(LastError().find(field.quoted + " not found"), std::string::npos) << LastError();
  }

  BindEntry entries[] = {Entry("ID"), Entry("NoSuchField"), Entry("Tag")};
  char slots[3 * QUORLIN_GET_SLOT_SIZE];
  std::memset(slots, '#', sizeof slots);
  EXPECT_EQ(SQLGet(3, entries, slots), 0);
  EXPECT_STREQ(slots, "1") << "slots read before the failure keep their values";
  EXPECT_EQ(std::string(slots + QUORLIN_GET_SLOT_SIZE, 2 * QUORLIN_GET_SLOT_SIZE),
            std::string(2 * QUORLIN_GET_SLOT_SIZE, '\0'));
}

TEST_P(Fields, NameFillingItsWholeFieldIsReadAsSixtyFourCharacters) {
  BindEntry entries[2] = {};
  std::memset(entries[0].fieldName, 'N', sizeof entries[0].fieldName);  // no terminator
  entries[0].typeCode = 0x41414141;  // the bytes after the name must not join it
  char slots[QUORLIN_GET_SLOT_SIZE];
  EXPECT_EQ(SQLGet(1, entries, slots), 0);
  EXPECT_NE(LastError().find(std::string(64, 'N') + "'"), std::string::npos) << LastError();
}

TEST_P(Fields, BadSizesAndPointersWriteNothing) {
  char buffer[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(SQLGetFieldValue("ID", buffer, 0), 0);
  EXPECT_EQ(SQLGetFieldValue("ID", buffer, -5), 0);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(SQLGetFieldValue("ID", nullptr, 10), 0);
  BindEntry entries[] = {Entry("ID")};
  EXPECT_EQ(SQLGet(0, entries, buffer), 0);
  EXPECT_EQ(SQLGet(-1, entries, buffer), 0);
  EXPECT_EQ(SQLGet(1, nullptr, buffer), 0);
  EXPECT_EQ(SQLGet(1, entries, nullptr), 0);
  EXPECT_EQ(std::string(buffer, 4), "####");
  EXPECT_EQ(SQLGetFieldValue(nullptr, buffer, 4), 0) << "a null name is the empty name";
}

TEST_P(Fields, NoCurrentRecordsetZeroesTheSlots) {
  SQLDisconnectToDatabase(id_);
  BindEntry entries[] = {Entry("ID"), Entry("Tag")};
  char slots[2 * QUORLIN_GET_SLOT_SIZE];
  std::memset(slots, '#', sizeof slots);
  MarkLastError();
  EXPECT_EQ(SQLGet(2, entries, slots), 0);
  EXPECT_EQ(std::string(slots, sizeof slots), std::string(sizeof slots, '\0'));
  char buffer[4] = "abc";
  EXPECT_EQ(SQLGetFieldValue("ID", buffer, 4), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(LastError(), kMarker);
}

// The longest name each database hands back whole, as measured: SQLite keeps any length,
// PostgreSQL cuts names at 63 bytes, MariaDB a select's alias at 255 characters.
TEST_P(Fields, LongColumnNamesAreReadByName) {
  const std::size_t kept = GetParam().name == "PostgreSQL" ? 63
                           : GetParam().name == "SQLite"   ? std::string::npos
                                                           : 255;
  for (const std::size_t length : {600, 2000}) {
    const std::string name(length, 'c');
    const std::string derived = "(SELECT 5 AS " + name + ", 6 AS Short) AS Named";
    ASSERT_EQ(SQLSelectToTable(id_, derived.c_str(), ""), 0) << LastError();
    EXPECT_EQ(Field(name.substr(0, kept).c_str()), "5") << length;
    EXPECT_EQ(Field("Short"), "6") << length;
    if (kept < length) {
      EXPECT_EQ(Field(name.c_str()), "<error>") << "the database cut the name";
      EXPECT_NE(LastError().find("' not found"), std::string::npos) << LastError();
    }
  }
}

QUORLIN_ON_EACH_DATABASE(Fields);

}  // namespace
}  // namespace quorlin::test
