#pragma once

#include "insert_workload.h"
#include "odbc_link.h"

namespace quorlin::bench {

// What a host does without the library at its best: one INSERT prepared once with three
// text parameters, executed for every row of the workload, inside one transaction (BEGIN and
// COMMIT sent as statements, as the other paths do).
void PreparedInserts(const OdbcLink& link, const InsertWorkload& workload);

}  // namespace quorlin::bench
