#include "prepared_inserts.h"

#include <cstring>
#include <string>

namespace quorlin::bench {
namespace {

constexpr SQLLEN kSlotSize = 64;  // the workload's value slots

}  // namespace

void PreparedInserts(const OdbcLink& link, const InsertWorkload& workload) {
  OdbcStatement(link).ExecDirect("BEGIN");
  {
    OdbcStatement insert(link);
    std::string text =
        "INSERT INTO " + workload.Table() + " (\"Tag\",\"Level\",\"Stamp\") VALUES (?,?,?)";
    insert.Check(SQLPrepare(insert.Get(), reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS),
                 "SQLPrepare(INSERT)");
    // The values are the texts the other paths send, so that the database converts them the
    // same way; each is copied into its bound buffer per row.
    char values[InsertWorkload::kFields][kSlotSize + 1] = {};
    SQLLEN lengths[InsertWorkload::kFields] = {SQL_NTS, SQL_NTS, SQL_NTS};
    const SQLSMALLINT types[InsertWorkload::kFields] = {SQL_CHAR, SQL_DOUBLE, SQL_CHAR};
    for (std::size_t f = 0; f < InsertWorkload::kFields; ++f) {
      insert.Check(SQLBindParameter(insert.Get(), static_cast<SQLUSMALLINT>(f + 1), SQL_PARAM_INPUT,
                                    SQL_C_CHAR, types[f], kSlotSize, 0, values[f], sizeof values[f],
                                    &lengths[f]),
                   "SQLBindParameter");
    }
    for (long row = 0; row < workload.Rows(); ++row) {
      const char* slots = workload.ValueBlock(row);
      for (std::size_t f = 0; f < InsertWorkload::kFields; ++f) {
        std::memcpy(values[f], slots + f * kSlotSize, kSlotSize);
      }
      insert.Check(SQLExecute(insert.Get()), "SQLExecute(INSERT)");
    }
  }
  OdbcStatement(link).ExecDirect("COMMIT");
}

}  // namespace quorlin::bench
