#include <stdlib.h>

#include <algorithm>
#include <cstring>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { SQLCleanup(); }
  void TearDown() override { SQLCleanup(); }
};

TEST_F(Registry, IdsCountUpAndAreNeverReused) {
  const Backend a = SqliteBackend();
  const Backend b = SqliteBackend();
  const Backend c = SqliteBackend();
  const int first = SQLConnectToDatabase(a.connect.c_str());
  ASSERT_GE(first, 0) << LastError();
  const int second = SQLConnectToDatabase(b.connect.c_str());
  EXPECT_EQ(second, first + 1);
  SQLDisconnectToDatabase(first);
  EXPECT_EQ(SQLConnectToDatabase(c.connect.c_str()), first + 2);
  SQLCleanup();
  EXPECT_EQ(SQLConnectToDatabase(a.connect.c_str()), first + 3) << "cleanup keeps counting";
}

TEST_F(Registry, SameConnectStringReusesTheConnectionIgnoringCase) {
  const Backend sqlite = SqliteBackend();
  const int id = SQLConnectToDatabase(sqlite.connect.c_str());
  ASSERT_GE(id, 0) << LastError();
  EXPECT_EQ(SQLConnectToDatabase(sqlite.connect.c_str()), id);
  std::string upper = sqlite.connect;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (upper != sqlite.connect) {
    // SQLite file names are case-sensitive on Linux, so only the keys change case here.
    const std::string keys =
        "DRIVER=SQLite3;DATABASE=" + sqlite.connect.substr(sqlite.connect.find("Database=") + 9);
    EXPECT_EQ(SQLConnectToDatabase(keys.c_str()), id);
  }
  const std::string spaced = " " + sqlite.connect;
  const int other = SQLConnectToDatabase(spaced.c_str());
  EXPECT_GE(other, 0) << LastError();
  EXPECT_NE(other, id) << "a difference in spacing opens a second connection";
}

TEST_F(Registry, CompletedConnectStringOfAServerMatchesToo) {
  for (const Backend& backend : AllBackends()) {
    if (backend.name != "PostgreSQL" || backend.connect.empty()) continue;
    const int id = SQLConnectToDatabase(backend.connect.c_str());
    ASSERT_GE(id, 0) << LastError();
    EXPECT_EQ(SQLConnectToDatabase(backend.connect.c_str()), id);
  }
}

// A connection is found again by its connect string in any letter case, on every database,
// without a new connection being opened; any other difference opens one.
TEST_F(Registry, ConnectStringsMatchInAnyLetterCaseOnEveryDatabase) {
  for (const Backend& backend : AllBackends()) {
    if (backend.connect.empty()) {
      if (ServersRequired()) ADD_FAILURE() << backend.name << " is required";
      continue;
    }
    SQLCleanup();
    const int id = SQLConnectToDatabase(backend.connect.c_str());
    ASSERT_GE(id, 0) << backend.name << ": " << LastError();
    std::string upper = backend.connect;
    std::string lower = backend.connect;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(SQLConnectToDatabase(upper.c_str()), id) << backend.name;
    EXPECT_EQ(SQLConnectToDatabase(lower.c_str()), id) << backend.name;
    const std::string trailing = backend.connect + ";";
    const int other = SQLConnectToDatabase(trailing.c_str());
    EXPECT_GT(other, id) << backend.name << ": one more character is another connect string";
    EXPECT_EQ(SQLConnectToDatabase(backend.connect.c_str()), id) << backend.name;
  }
}

TEST_F(Registry, FailedOpenReportsTheDriverManagersText) {
  MarkLastError();
  EXPECT_EQ(SQLConnectToDatabase("Driver=NoSuchDriver;Database=x"), -1);
  EXPECT_NE(LastError(), kMarker);
  EXPECT_NE(LastError().find("NoSuchDriver"), std::string::npos) << LastError();
  MarkLastError();
  EXPECT_EQ(SQLConnectToDatabase(nullptr), -1) << "a null connect string is the empty one";
  EXPECT_NE(LastError(), kMarker);
  const std::string huge = "Driver=SQLite3;Database=" + std::string(40000, 'x');
  EXPECT_EQ(SQLConnectToDatabase(huge.c_str()), -1);
  EXPECT_NE(LastError().find("longer"), std::string::npos) << LastError();
}

TEST_F(Registry, DisconnectOfAnUnknownIdChangesNothing) {
  const int id = SQLConnectToDatabase(SqliteBackend().connect.c_str());
  ASSERT_GE(id, 0);
  MarkLastError();
  SQLDisconnectToDatabase(id + 50);
  SQLDisconnectToDatabase(-1);
  EXPECT_EQ(LastError(), kMarker);
  EXPECT_EQ(SQLExcute(id, "SELECT 1"), 0);
}

// The cache holds CacheCapacity() results per connection (31, one per table name, in the
// full profile; one in the legacy profile), evicting the first cached.
class Cache : public ::testing::Test {
 protected:
  void SetUp() override {
    SQLCleanup();
    id_ = SQLConnectToDatabase(SqliteBackend().connect.c_str());
    ASSERT_GE(id_, 0) << LastError();
    for (int i = 0; i < kTables; ++i) {
      Exec(id_, "CREATE TABLE " + Name(i) + " (ID INTEGER)");
      Exec(id_, "INSERT INTO " + Name(i) + " VALUES (" + std::to_string(i) + ")");
    }
  }
  void TearDown() override { SQLCleanup(); }
  static std::string Name(int i) { return "T" + std::to_string(i); }
  void Select(int i) { ASSERT_EQ(SQLSelectToTable(id_, Name(i).c_str(), ""), 0) << LastError(); }
  bool Cached(int i) { return SQLUseTable(id_, Name(i).c_str()) == 0; }
  static inline const int kCapacity = CacheCapacity();
  static inline const int kTables = kCapacity + 2;
  int id_ = -1;
};

TEST_F(Cache, OneTableMoreThanTheCapacityEvictsTheFirstCached) {
  for (int i = 0; i < kCapacity; ++i) Select(i);
  for (int i = 0; i < kCapacity; ++i) EXPECT_TRUE(Cached(i)) << i;
  Select(0);  // queried again and made current: keeps its place at the head
  ASSERT_EQ(SQLUseTable(id_, "T0"), 0);
  Select(kCapacity);
  EXPECT_FALSE(Cached(0));
  for (int i = 1; i <= kCapacity; ++i) EXPECT_TRUE(Cached(i)) << i;
  Select(kCapacity + 1);
  EXPECT_FALSE(Cached(1));
  EXPECT_EQ(Field("ID"), std::to_string(kCapacity + 1)) << "the new result is current";
}

TEST_F(Cache, ReplacementKeepsThePlaceAndFreesTheOldResult) {
  const int first = std::min(3, kCapacity);
  for (int i = 0; i < first; ++i) Select(i);
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0);
  Exec(id_, "INSERT INTO T0 VALUES (100)");
  Select(0);
  EXPECT_EQ(SQLGetRowCount(), 2) << "the replacement is a new result";
  for (int i = first; i < kCapacity; ++i) Select(i);
  Select(kCapacity);
  EXPECT_FALSE(Cached(0)) << "T0 was still the oldest by first caching";
  EXPECT_TRUE(Cached(1));
}

TEST_F(Cache, CurrentRecordsetFollowsEvictionAndDisconnect) {
  for (int i = 0; i < kCapacity; ++i) Select(i);
  ASSERT_EQ(SQLUseTable(id_, "T0"), 0);
  Select(kCapacity);  // evicts T0, the current one, and makes the new result current
  EXPECT_EQ(Field("ID"), std::to_string(kCapacity));
  SQLDisconnectToDatabase(id_);
  EXPECT_EQ(SQLGetRowCount(), RowCountWithoutRecordset());
}

TEST_F(Cache, ResultsAreCachedPerConnection) {
  const int other = SQLConnectToDatabase(SqliteBackend().connect.c_str());
  ASSERT_GE(other, 0);
  Exec(other, "CREATE TABLE T0 (ID INTEGER)");
  Select(0);
  ASSERT_EQ(SQLSelectToTable(other, "T0", ""), 0);
  EXPECT_EQ(SQLGetRowCount(), 0);
  ASSERT_EQ(SQLUseTable(id_, "t0"), 0);
  EXPECT_EQ(SQLGetRowCount(), 1);
  SQLDisconnectToDatabase(other);
  EXPECT_EQ(SQLUseTable(id_, "T0"), 0) << "the other connection's results went alone";
}

// A result is found under the name it was cached with in any letter case, and under no
// other spelling: the name between FROM and WHERE without blanks and brackets in the full
// profile, the base table the driver reports in the legacy profile.
TEST_F(Cache, CachedNamesMatchInAnyLetterCaseOnly) {
  Exec(id_, "CREATE TABLE [Tank Level] (ID INTEGER)");
  Exec(id_, "INSERT INTO [Tank Level] VALUES (42)");
  ASSERT_EQ(SQLSelectToTable(id_, "[Tank Level]", ""), 0) << LastError();
  const bool legacy = LegacyProfile();
  const struct {
    const char* name;
    bool found;
  } cases[] = {
      {"TANKLEVEL", !legacy}, {"tanklevel", !legacy}, {"TankLevel ", false},
      {"Tank Level", legacy}, {"TANK LEVEL", legacy}, {"[Tank Level]", false},
      {"TANKLEVE", false},    {"TANKLEVELS", false},  {"", false},
  };
  for (const auto& c : cases) {
    // Another result current first, where the cache has room for both.
    if (kCapacity > 1) {
      ASSERT_EQ(SQLSelectToTable(id_, "T0", ""), 0) << LastError();
    }
    EXPECT_EQ(SQLUseTable(id_, c.name) == 0, c.found) << "'" << c.name << "'";
    if (c.found) {
      EXPECT_EQ(Field("ID"), "42") << "'" << c.name << "'";
    }
  }
}

TEST_F(Cache, ASelectionWrittenInAnotherCaseReplacesTheResult) {
  Select(0);
  Select(1);
  Exec(id_, "INSERT INTO T0 VALUES (100)");
  ASSERT_EQ(SQLSelectToTable(id_, "t0", ""), 0) << LastError();
  EXPECT_EQ(SQLGetRowCount(), 2);
  ASSERT_EQ(SQLUseTable(id_, "T0"), 0);
  EXPECT_EQ(SQLGetRowCount(), 2) << "one slot for both spellings, holding the newer result";
  if (kCapacity > 2) {
    EXPECT_TRUE(Cached(1));
  }
}

}  // namespace
}  // namespace quorlin::test
