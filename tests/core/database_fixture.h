#pragma once

#include <gtest/gtest.h>

#include "test_support.h"

namespace quorlin::test {

// A behaviour test that runs once on every database: a fresh connection per test and no
// connection left behind.
class OnEachDatabase : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_BACKEND(GetParam());
    SQLCleanup();
    id_ = SQLConnectToDatabase(GetParam().connect.c_str());
    ASSERT_GE(id_, 0) << LastError();
  }
  void TearDown() override { SQLCleanup(); }

  // Creates table with columns ID, Tag and Level and one row per value of rows ("ID,'Tag',Level").
  void MakeTable(const std::string& table, const std::vector<std::string>& rows) {
    Exec(id_, "DROP TABLE IF EXISTS " + table);
    Exec(id_, "CREATE TABLE " + table + " (ID INTEGER, Tag CHAR(12), Level FLOAT)");
    for (const std::string& row : rows) Exec(id_, "INSERT INTO " + table + " VALUES (" + row + ")");
  }

  int id_ = -1;
};

// A fresh SQLite database whose driver logs every statement it prepares, so that tests
// read the texts the library sent, byte for byte.
class OnTracedSqlite : public ::testing::Test {
 protected:
  void SetUp() override {
    SQLCleanup();
    trace_ = dir_.Path("trace.log");
    const std::string connect =
        "Driver=SQLite3;Database=" + dir_.Path("t.db") + ";Tracefile=" + trace_;
    id_ = SQLConnectToDatabase(connect.c_str());
    ASSERT_GE(id_, 0) << LastError();
  }
  void TearDown() override { SQLCleanup(); }

  // The last statement the driver prepared.
  std::string LastStatement() const {
    const std::vector<std::string> statements = TracedStatements(trace_);
    return statements.empty() ? std::string() : statements.back();
  }

  TempDir dir_;
  std::string trace_;
  int id_ = -1;
};

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param.name;
}

#define QUORLIN_ON_EACH_DATABASE(suite) \
  INSTANTIATE_TEST_SUITE_P(Databases, suite, ::testing::ValuesIn(AllBackends()), BackendName)

}  // namespace quorlin::test
