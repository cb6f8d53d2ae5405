#pragma once

#include <memory>
#include <string>

#include "odbc_link.h"
#include "walk_result.h"

namespace quorlin::bench {

// Raw ODBC walks over a result, both on the static read-only cursor the library asks for and
// reading every value as text, so that they read what the library reads.
//
// SQLFetchScroll(NEXT) per row and SQLGetData(SQL_C_CHAR) per value into 128-byte buffers.
WalkResult NaiveWalk(const OdbcLink& link, const std::string& sql, int columns);
// SQLBindCol of 128-byte text buffers per column, kBlockRows rows per SQLFetchScroll; each
// value read in place or copied into its own SQLGet-like slot.
WalkResult BlockWalk(const OdbcLink& link, const std::string& sql, int columns, BlockValues copies);
inline constexpr int kBlockRows = 1000;

// Runs sql on the same cursor and keeps the result, as the driver holds it, until freed.
std::unique_ptr<OdbcStatement> HoldResult(const OdbcLink& link, const std::string& sql);

}  // namespace quorlin::bench
