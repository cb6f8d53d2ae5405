#include "bench_databases.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "bench_options.h"
#include "odbc_link.h"
#include "temp_folder.h"

namespace quorlin::bench {
namespace {

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool ServersRequired() {
  const char* ci = std::getenv("CI");
  const char* required = std::getenv("QUORLIN_REQUIRE_SERVERS");
  return (ci != nullptr && std::strcmp(ci, "true") == 0) ||
         (required != nullptr && std::strcmp(required, "1") == 0);
}

std::string GeneratingInsert(Engine engine, const std::string& table, long rows) {
  const std::string n = std::to_string(rows);
  const std::string into = "INSERT INTO " + table + " (ID, Tag, Level) ";
  switch (engine) {
    case Engine::kSqlite:
      return into + "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
             n + ") SELECT i, printf('tag-%08d', i), i * 0.25 FROM n";
    case Engine::kPostgres:
      return into + "SELECT i, 'tag-' || lpad(i::text, 8, '0'), i * 0.25 FROM generate_series(1, " +
             n + ") AS g(i)";
    case Engine::kMariaDb:
      // The sequence engine's virtual table seq_1_to_N.
      return into + "SELECT seq, CONCAT('tag-', LPAD(seq, 8, '0')), seq * 0.25 FROM seq_1_to_" + n;
  }
  return {};
}

}  // namespace

std::vector<BenchDatabase> BenchDatabases(const std::string& sqliteFile, const std::string& only) {
  std::vector<BenchDatabase> databases = {
      {"SQLite", "Driver=SQLite3;Database=" + sqliteFile, Engine::kSqlite},
      {"PostgreSQL", FromEnvironment("QUORLIN_TEST_PG"), Engine::kPostgres},
      {"MariaDB", FromEnvironment("QUORLIN_TEST_MARIADB"), Engine::kMariaDb}};
  if (only.empty()) return databases;
  std::vector<BenchDatabase> chosen;
  for (BenchDatabase& database : databases) {
    if (strcasecmp(database.name.c_str(), only.c_str()) == 0) chosen.push_back(std::move(database));
  }
  return chosen;
}

bool CheckAvailable(const BenchDatabase& database) {
  if (!database.connect.empty()) return true;
  if (ServersRequired()) return Check(false, database.name + " is required here");
  std::printf("\n%s: no server configured (source the env.sh of tests/servers), skipped\n",
              database.name.c_str());
  return true;
}

void CreateGeneratedTable(const OdbcLink& link, Engine engine, const std::string& table,
                          long rows) {
  OdbcStatement statement(link);
  statement.ExecDirect("DROP TABLE IF EXISTS " + table);
  statement.ExecDirect("CREATE TABLE " + table + " (ID INTEGER, Tag CHAR(20), Level FLOAT)");
  statement.ExecDirect(GeneratingInsert(engine, table, rows));
}

int RunOnEachDatabase(const std::string& sqliteFileName, const std::string& only,
                      const std::function<bool(const BenchDatabase&)>& run) {
  const TempFolder folder;
  bool held = true;
  for (const BenchDatabase& database : BenchDatabases(folder.Path() + "/" + sqliteFileName, only)) {
    if (!CheckAvailable(database)) {
      held = false;
      continue;
    }
    if (!database.connect.empty()) held &= run(database);
  }
  std::printf("\n%s\n", held ? "all checks held" : "SOME CHECKS FAILED");
  return held ? 0 : 1;
}

}  // namespace quorlin::bench
