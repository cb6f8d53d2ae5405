#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorlin::bench {

class OdbcLink;

enum class Engine { kSqlite, kPostgres, kMariaDb };

// A database a benchmark runs on: SQLite on a file, or a server whose connect string the test
// script exported (tests/servers/start-servers.sh).
struct BenchDatabase {
  std::string name;
  std::string connect;  // empty: no server configured
  Engine engine;
};

// SQLite on sqliteFile, then PostgreSQL (QUORLIN_TEST_PG) and MariaDB (QUORLIN_TEST_MARIADB);
// only the one named (any case) when only is not empty.
std::vector<BenchDatabase> BenchDatabases(const std::string& sqliteFile,
                                          const std::string& only = {});

// Where servers are required (CI=true or QUORLIN_REQUIRE_SERVERS=1), a missing one is a failed
// check; elsewhere it is skipped with a note. False when it failed.
bool CheckAvailable(const BenchDatabase& database);

// Runs run on each database of BenchDatabases that is there (a SQLite file in a fresh temp
// folder), prints the verdict, and returns the exit status: 0 when every check held.
int RunOnEachDatabase(const std::string& sqliteFileName, const std::string& only,
                      const std::function<bool(const BenchDatabase&)>& run);

// Creates table (ID INTEGER, Tag CHAR(20), Level FLOAT) holding IDs 1..rows, Tag
// 'tag-' and the ID in 8 digits, Level ID * 0.25, made by the database itself in one
// statement so that a million rows take seconds on the servers too.
void CreateGeneratedTable(const OdbcLink& link, Engine engine, const std::string& table, long rows);

}  // namespace quorlin::bench
