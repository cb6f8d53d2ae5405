#pragma once

#include <string>

// The statement texts of the query exports, as small pure functions.
namespace quorlin::schema {

// "AVG([col]) " and the other aggregate expressions; empty for an unknown kind. In the
// MySQL dialect the column goes between backticks and no blank precedes the parenthesis,
// which MySQL and MariaDB require in their default mode.
std::string MakeAggregateExpression(int kind, const std::string& column, bool mysqlDialect);

std::string SelectStatement(const std::string& table, const std::string& condition);
std::string AggregateStatement(int kind, const std::string& column, const std::string& table,
                               const std::string& condition, bool mysqlDialect);

}  // namespace quorlin::schema
