#include "schema/statements.h"

#include "quorlin.h"
#include "schema/where_clause.h"

namespace quorlin::schema {

std::string MakeAggregateExpression(int kind, const std::string& column,
                                    const profile::Dialect& dialect) {
  if (kind < QUORLIN_AVG || kind > QUORLIN_COUNT_DISTINCT) return {};
  const profile::AggregateFormat& format = dialect.aggregates[kind];
  return format.prefix + column + format.suffix;
}

std::string SelectStatement(const std::string& table, const std::string& condition) {
  return "SELECT * FROM  " + table + " " + MakeWhereClause(condition);
}

std::string AggregateStatement(int kind, const std::string& column, const std::string& table,
                               const std::string& condition, const profile::Dialect& dialect) {
  return "SELECT " + MakeAggregateExpression(kind, column, dialect) + "FROM " + table + " " +
         MakeWhereClause(condition);
}

}  // namespace quorlin::schema
