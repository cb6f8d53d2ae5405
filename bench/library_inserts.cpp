#include "library_inserts.h"

#include <stdexcept>

#include "library_walk.h"
#include "quorlin.h"

namespace quorlin::bench {
namespace {

void Check(int result, const char* what) {
  if (result != 0) throw std::runtime_error(std::string(what) + " failed: " + LibraryLastError());
}

// Runs body between BEGIN and COMMIT sent through SQLExcute.
template <typename Body>
void InOneTransaction(int id, Body&& body) {
  Check(SQLExcute(id, "BEGIN"), "SQLExcute(BEGIN)");
  body();
  Check(SQLExcute(id, "COMMIT"), "SQLExcute(COMMIT)");
}

}  // namespace

void LibraryInsertEx(int id, const InsertWorkload& workload) {
  const int count = static_cast<int>(InsertWorkload::kFields);
  const char* table = workload.Table().c_str();
  InOneTransaction(id, [&] {
    for (long row = 0; row < workload.Rows(); ++row) {
      Check(SQLInsertRecordEx(id, count, table, workload.Types(), workload.NameBlock(),
                              workload.ValueBlock(row)),
            "SQLInsertRecordEx");
    }
  });
}

void LibraryInsert(int id, const InsertWorkload& workload, const std::string& bindTablePath) {
  const char* table = workload.Table().c_str();
  InOneTransaction(id, [&] {
    for (long row = 0; row < workload.Rows(); ++row) {
      Check(SQLInsertRecord(id, table, bindTablePath.c_str(), workload.ValueBlock(row)),
            "SQLInsertRecord");
    }
  });
}

}  // namespace quorlin::bench
