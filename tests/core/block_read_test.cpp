// Results longer than the blocks the library reads them in: every move lands on the right
// record wherever the blocks begin and end, long values and NULLs come out whole, and the
// record count is exact on every driver, including one that states a wrong count.
#include <string>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

constexpr int kRows = 2345;

// The Tag of record id: NULLs, values around and far beyond any buffer a block gives a
// value, and short ones, spread over every block.
std::string TagOf(int id) {
  const char letter = static_cast<char>('a' + id % 26);
  switch (id % 500) {
    case 3:
      return std::string(1500, letter);
    case 4:
      return std::string(512, letter);
    case 5:
      return std::string(513, letter);
    default:
      return id % 7 == 0 ? std::string() : "t" + std::to_string(id);
  }
}

std::string LongField(const char* name) {
  std::string buffer(4096, '\0');
  if (SQLGetFieldValue(name, buffer.data(), static_cast<int>(buffer.size())) != 1) return "<error>";
  buffer.resize(buffer.find('\0'));
  return buffer;
}

class BlockReads : public OnEachDatabase {
 protected:
  void SetUp() override {
    OnEachDatabase::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    table_ = TableName("Blocks");
    Exec(id_, "DROP TABLE IF EXISTS " + table_);
    Exec(id_, "CREATE TABLE " + table_ + " (ID INTEGER, Tag VARCHAR(2000), Level FLOAT)");
    std::string values;
    for (int id = 1; id <= kRows; ++id) {
      const std::string tag = TagOf(id);
      values += (values.empty() ? "(" : ",(") + std::to_string(id) + "," +
                (tag.empty() ? "NULL" : "'" + tag + "'") + "," +
                (id % 11 == 0 ? "NULL" : std::to_string(id) + ".5") + ")";
      if (id % 200 == 0 || id == kRows) {
        Exec(id_, "INSERT INTO " + table_ + " VALUES " + values);
        values.clear();
      }
    }
    Select("ID > 0 ORDER BY ID");
  }
  void Select(const std::string& condition) {
    ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), condition.c_str()), 0) << LastError();
  }
  // Stands on record id with the values that record holds.
  void ExpectRecord(int id) {
    ASSERT_EQ(Field("ID"), std::to_string(id));
    EXPECT_EQ(LongField("Tag"), TagOf(id)) << "record " << id;
    if (id % 11 == 0) {
      EXPECT_EQ(Field("Level"), "") << "record " << id;
    }
  }
  std::string table_;
};

TEST_P(BlockReads, WalksForwardToTheEndAndBackToTheStart) {
  for (int id = 1; id <= kRows; ++id) {
    ExpectRecord(id);
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0) << id;
  }
  EXPECT_EQ(Field("ID"), "<error>") << "after the last record";
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), -1);
  for (int id = kRows; id >= 1; --id) {
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0) << id;
    ExpectRecord(id);
  }
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0);
  EXPECT_EQ(Field("ID"), "<error>") << "before the first record";
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), -1);
  EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  ExpectRecord(1);
}

// Positions on both sides of where blocks of 250, 500 or 1000 records end, then one step
// back (crossing into the block before when the position starts a block) and two forward.
TEST_P(BlockReads, AbsoluteMovesThenStepsEitherWay) {
  for (const int position :
       {1,    2,    249,  250,  251,  499,       500,   501, 502,  999, 1000,
        1001, 1501, 2000, 2001, 2251, kRows - 1, kRows, 3,   1002, 4,   1499}) {
    ASSERT_EQ(SQLMoveTo(position), 0) << position;
    ExpectRecord(position);
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0) << position;
    if (position > 1) ExpectRecord(position - 1);
    if (position == 1) {
      EXPECT_EQ(Field("ID"), "<error>");
    }
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0) << position;
    ExpectRecord(position);
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0) << position;
    if (position < kRows) ExpectRecord(position + 1);
    if (position == kRows) {
      EXPECT_EQ(Field("ID"), "<error>");
    }
  }
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), 0);
  ExpectRecord(kRows);
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_FIRST), 0);
  ExpectRecord(1);
  EXPECT_EQ(SQLMoveTo(kRows + 1), 0);
  EXPECT_EQ(Field("ID"), "<error>");
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_PREVIOUS), 0);
  ExpectRecord(kRows);
}

// The count comes from the driver only where the cursor confirms it (MariaDB states 0 for
// every result in one of the places the library looks), and the recordset ends on its first
// record wherever it stood.
TEST_P(BlockReads, CountsExactlyAndEndsOnTheFirstRecord) {
  struct Case {
    const char* condition;
    int count;
    int first;
  };
  for (const Case& c :
       {Case{"ID > 0 ORDER BY ID", kRows, 1}, Case{"ID > 2000 ORDER BY ID", 345, 2001},
        Case{"ID <= 3 ORDER BY ID", 3, 1}, Case{"ID = 1500", 1, 1500},
        Case{"ID > 1000 AND ID <= 1500 ORDER BY ID", 500, 1001},
        Case{"ID > 1000 AND ID <= 1501 ORDER BY ID", 501, 1001}, Case{"ID < 0", 0, 0}}) {
    Select(c.condition);
    if (c.count > 1) {
      ASSERT_EQ(SQLMoveTo(c.count > 2 ? 3 : 2), 0) << c.condition;
    }
    EXPECT_EQ(SQLGetRowCount(), c.count) << c.condition;
    if (c.count == 0) {
      EXPECT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), -1) << "an empty result does not move";
      continue;
    }
    ExpectRecord(c.first);
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_LAST), 0);
    ExpectRecord(c.first + c.count - 1);
    ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
    EXPECT_EQ(Field("ID"), "<error>") << c.condition;
    EXPECT_EQ(SQLGetRowCount(), c.count) << c.condition << ", counted again from the end";
    ExpectRecord(c.first);
  }
}

QUORLIN_ON_EACH_DATABASE(BlockReads);

}  // namespace
}  // namespace quorlin::test
