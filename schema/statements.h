#pragma once

#include <string>

#include "profiles/dialect.h"

// The statement texts of the query exports, as small pure functions.
namespace quorlin::schema {

// "AVG([col]) " and the other aggregate expressions of the dialect; empty for an unknown
// kind.
std::string MakeAggregateExpression(int kind, const std::string& column,
                                    const profile::Dialect& dialect);

std::string SelectStatement(const std::string& table, const std::string& condition);
std::string AggregateStatement(int kind, const std::string& column, const std::string& table,
                               const std::string& condition, const profile::Dialect& dialect);

}  // namespace quorlin::schema
