#pragma once

#include <string>

#include "insert_workload.h"

namespace quorlin::bench {

// The library's insert paths, each inside one transaction opened and closed with SQLExcute
// (BEGIN, COMMIT) so that the database's commit cost is paid once. A failed call throws
// std::runtime_error with the library's last-error text.
//
// SQLInsertRecordEx of every row of the workload.
void LibraryInsertEx(int id, const InsertWorkload& workload);

// SQLInsertRecord of every row, naming the fields through the bind-table file, which the
// library reads on every call.
void LibraryInsert(int id, const InsertWorkload& workload, const std::string& bindTablePath);

}  // namespace quorlin::bench
