#pragma once

#include <string>

namespace quorlin::schema {

// The clause that follows a table name: empty for an empty condition, otherwise a line
// feed, a tab, "WHERE " unless the condition starts with one of the profile's clause words
// (WHERE, and in the full profile ORDER), and the condition without its leading white space.
std::string MakeWhereClause(const std::string& condition);

}  // namespace quorlin::schema
