#pragma once

#include <string>

#include "profiles/dialect.h"

namespace quorlin::schema {

// The type text of one column in a dialect: the type word, and for QUORLIN_TYPE_CHAR the
// width as "(%d)". A code outside the four gives the empty text.
std::string ColumnTypeSql(int code, int width, const profile::Dialect& dialect);

}  // namespace quorlin::schema
