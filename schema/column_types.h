#pragma once

#include <string>

#include "profiles/dialect.h"

namespace quorlin::schema {

// The full profile's type words: entries 0-3 the standard dialect's for codes 0-3, entries
// 4-7 the MySQL dialect's, each a fixed 15-byte zero-padded field.
inline constexpr int kColumnTypeNameCount = 8;
inline constexpr int kColumnTypeNameSize = 15;
extern const char ColumnTypeNames[kColumnTypeNameCount][kColumnTypeNameSize];

// The type text of one column in a dialect: the type word, and for QUORLIN_TYPE_CHAR the
// width as "(%d)". A code outside the four gives the empty text.
std::string ColumnTypeSql(int code, int width, const profile::Dialect& dialect);

}  // namespace quorlin::schema
