#pragma once

#include <string>

namespace quorlin::schema {

enum class Dialect { kStandard, kMySql };

inline Dialect DialectOf(int mysqlFlag) {
  return mysqlFlag != 0 ? Dialect::kMySql : Dialect::kStandard;
}

// The type words: entries 0-3 the standard dialect's for codes 0-3, entries 4-7 the MySQL
// dialect's, each a fixed 15-byte zero-padded field.
inline constexpr int kColumnTypeNameCount = 8;
inline constexpr int kColumnTypeNameSize = 15;
extern const char ColumnTypeNames[kColumnTypeNameCount][kColumnTypeNameSize];

// The type text of one column: the type word, and for code 2 (CHAR) the width as "(%d)".
// A code outside 0-3 gives the empty text.
std::string ColumnTypeSql(int code, int width, Dialect dialect);

}  // namespace quorlin::schema
