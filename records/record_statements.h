#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "profiles/dialect.h"

// The statement texts of record modification, as small pure functions. Values are SQL text
// supplied by the host and copied exactly as given; identifiers are never escaped.
namespace quorlin::records {

// Views into the caller's blocks, which outlive the statement being built.
struct FieldValue {
  std::string_view name;
  int typeCode = 0;  // QUORLIN_TYPE_CHAR and QUORLIN_TYPE_DATE put the value in single quotes
  std::string_view value;
};

// A value as it stands in a statement: quoted for CHAR and DATE, bare otherwise.
std::string QuotedValue(const FieldValue& field);

// INSERT from a bind table, in the profile's fixed dialect.
std::string InsertStatement(const std::string& table, const std::vector<FieldValue>& fields,
                            const profile::Dialect& dialect);
// INSERT from arrays: the connection's dialect, nothing after each name.
std::string InsertExStatement(const std::string& table, const std::vector<FieldValue>& fields,
                              const profile::Dialect& dialect);
// UPDATE from a bind table, in the profile's fixed dialect.
std::string UpdateStatement(const std::string& table, const std::vector<FieldValue>& fields,
                            const std::string& condition, const profile::Dialect& dialect);
std::string DeleteStatement(const std::string& table, const std::string& condition);

}  // namespace quorlin::records
