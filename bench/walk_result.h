#pragma once

#include <string>

#include "timing.h"

namespace quorlin::bench {

// What one walk over the result saw; both paths must agree on it.
struct WalkResult {
  long records = 0;
  std::string firstId;
  std::string lastId;
  // Touches every value read, so that no read can be optimised away.
  unsigned long checksum = 0;
  // The part of the walk's time spent running the statement and freeing a result (the
  // library frees the previous result of the same table inside its select; the raw path
  // frees its own at the end).
  Seconds selectTime{};
};

// The SELECT text the library sends for SQLSelectToTable(id, table, ""), so that both paths
// run the very same statement.
inline std::string SelectAllText(const std::string& table) {
  return "SELECT * FROM  " + table + " ";
}

}  // namespace quorlin::bench
