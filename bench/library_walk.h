#pragma once

#include <string>
#include <vector>

#include "timing.h"
#include "walk_result.h"

namespace quorlin::bench {

// The library's last-error text.
std::string LibraryLastError();

// SQLSelectToTable(id, table, ""), then SQLGet of columns at the first record and after each
// SQLMoveRecord(QUORLIN_MOVE_NEXT) until that returns -1. Only reads that succeed count as
// records: the move off the last record still succeeds (it stands on the end), and only the
// next one fails. Throws std::runtime_error when the select fails.
WalkResult LibrarySelectWalk(int id, const std::string& table,
                             const std::vector<std::string>& columns);

// Runs SQLSelectToTable(id, table, "") and nothing else; throws when it fails.
void LibrarySelect(int id, const std::string& table);

// SQLMoveRecord(QUORLIN_MOVE_NEXT) until it returns -1, reading nothing; the number of
// successful moves.
long LibraryMoveToEnd();

struct RowCountProbe {
  Seconds time{};
  int count = -1;
  // The field read with SQLGetFieldValue right after the count: where the count left us.
  std::string idAfter;
};

// Times SQLGetRowCount on the current result, then reads idField at the current record.
RowCountProbe ProbeRowCount(const std::string& idField);

}  // namespace quorlin::bench
