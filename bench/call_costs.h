#pragma once

#include <string>
#include <vector>

namespace quorlin::bench {

// Prints what the parts of a walk cost per call, in nanoseconds (best and median of runs of
// calls calls each), on the current recordset, which must stand on its first record with a
// second one in the same block: an export's frame alone (SQLGet of no field returns at once),
// SQLGet of the columns, a move within a block (NEXT and PREVIOUS in turn), and for scale what
// a host's own code pays for the same: a recursive mutex taken and released, and the columns'
// values copied into slots with strncpy. Leaves the recordset on its first record.
void PrintCallCosts(const std::vector<std::string>& columns, long calls, int runs);

}  // namespace quorlin::bench
