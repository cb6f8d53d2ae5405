#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorlin::test {

const char kMarker[] = "SQLCreateTableEx needs the column names and type codes.";

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The database files this program made, removed when it ends (the library may still hold
// some open then; what cannot be removed stays).
class MadeFiles {
 public:
  ~MadeFiles() {
    std::error_code ignored;
    for (const std::string& file : m_files) std::filesystem::remove(file, ignored);
  }
  void Add(const std::string& file) { m_files.push_back(file); }

 private:
  std::vector<std::string> m_files;
};

}  // namespace

bool ServersRequired() {
  return Env("QUORLIN_REQUIRE_SERVERS") == "1" || Env("CI") == "true";
}

Backend SqliteBackend() {
  static int counter = 0;
  const std::string file = TempRoot() + "/quorlin-test-" + std::to_string(getpid()) + "-" +
                           std::to_string(counter++) + ".db";
  std::filesystem::remove(file);
  static MadeFiles made;
  made.Add(file);
  return {"SQLite", "Driver=SQLite3;Database=" + file, false, false, true};
}

// The full profile's aggregates bracket the column, which SQLite accepts, quote it on
// PostgreSQL and put it between backticks in the MySQL dialect; MariaDB under its own
// driver name rejects the brackets. The legacy profile's are bracket-free, but write "MIN (",
// "MAX (" and "COUNT (" with a blank, which MariaDB's default mode reads as calls of unknown
// functions.
std::vector<Backend> AllBackends() {
  return {SqliteBackend(),
          {"PostgreSQL", Env("QUORLIN_TEST_PG"), false, true, true},
          {"MariaDB", Env("QUORLIN_TEST_MARIADB"), false, false, false},
          MySqlDriverBackend()};
}

Backend MySqlDriverBackend() {
  return {"MySQLDriver", Env("QUORLIN_TEST_MYSQL"), !LegacyProfile(), false, !LegacyProfile()};
}

std::string LastError() {
  char buffer[QUORLIN_LAST_ERROR_SIZE] = {0};
  if (SQLLastError(buffer, sizeof buffer) != 0) return "<SQLLastError failed>";
  return buffer;
}

void MarkLastError() {
  SQLCreateTableEx(-12345, 1, "T", nullptr, nullptr, nullptr);
  ASSERT_EQ(LastError(), kMarker);
}

std::string SilentInLegacy(const std::string& fullText) {
  return LegacyProfile() ? kMarker : fullText;
}

std::string GridUnreadableText() {
  // "无法装载表格数据!" in GBK.
  return LegacyProfile() ? "\xce\xde\xb7\xa8\xd7\xb0\xd4\xd8\xb1\xed\xb8\xf1\xca\xfd\xbe\xdd!"
                         : "Can't load datasheet";
}

std::string OrderBy(const std::string& columns) {
  return (LegacyProfile() ? "WHERE 1=1 ORDER BY " : "ORDER BY ") + columns;
}

int RowCountWithoutRecordset() {
  return LegacyProfile() ? 0 : -1;
}

int CacheCapacity() {
  return LegacyProfile() ? 1 : 31;
}

std::string CharValue(const Backend& backend, const std::string& value, std::size_t width) {
  if (!LegacyProfile() || !backend.padsChar || value.size() >= width) return value;
  return value + std::string(width - value.size(), ' ');
}

std::vector<std::string> TracedStatements(const std::string& traceFile) {
  std::ifstream in(traceFile, std::ios::binary);
  std::stringstream whole;
  whole << in.rdbuf();
  const std::string text = whole.str();
  const std::string prefix = "-- sqlite3_prepare_v2: ";
  std::vector<std::string> statements;
  for (std::size_t at = text.find(prefix); at != std::string::npos;
       at = text.find(prefix, at + 1)) {
    const std::size_t start = at + prefix.size();
    std::size_t end = text.find("\n-- ", start);
    if (end == std::string::npos) end = text.size();
    std::string statement = text.substr(start, end - start);
    // A statement without a result is echoed at once: "S\nS;". Keep S alone.
    const std::size_t half = statement.size() >= 2 ? (statement.size() - 2) / 2 : 0;
    const std::string first = statement.substr(0, half);
    if (statement.size() >= 2 && statement == first + "\n" + first + ";") statement = first;
    statements.push_back(statement);
  }
  return statements;
}

std::vector<std::string> DriverManagerTrace::Statements() const {
  std::ifstream in(traceFile_, std::ios::binary);
  std::stringstream whole;
  whole << in.rdbuf();
  const std::string text = whole.str();
  const std::string open = "SQL = [";
  std::vector<std::string> statements;
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
    const std::size_t start = at + open.size();
    // The text may hold "]" itself: its length, logged after it, tells where it ends.
    const std::size_t lengthAt = text.find("][length = ", start);
    if (lengthAt == std::string::npos) break;
    const long length = std::atol(text.c_str() + lengthAt + 11);
    statements.push_back(text.substr(start, static_cast<std::size_t>(length)));
  }
  return statements;
}

std::string TableName(const std::string& stem) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = stem + "_" + std::to_string(getpid() % 100000);
  if (info != nullptr)
    name += "_" + std::to_string(std::hash<std::string>{}(info->name()) % 100000);
  return name;
}

std::string SlotBlock(const std::vector<std::string>& slots) {
  std::string block(slots.size() * QUORLIN_VALUE_SLOT_SIZE, '\0');
  for (std::size_t i = 0; i < slots.size(); ++i) {
    block.replace(i * QUORLIN_VALUE_SLOT_SIZE, slots[i].size(), slots[i]);
  }
  return block;
}

void Exec(int id, const std::string& sql) {
  ASSERT_EQ(SQLExcute(id, sql.c_str()), 0) << sql << "\n" << LastError();
}

std::string Field(const char* name) {
  char buffer[256];
  if (SQLGetFieldValue(name, buffer, sizeof buffer) != 1) return "<error>";
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

}  // namespace quorlin::test
