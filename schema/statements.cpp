#include "schema/statements.h"

#include "schema/where_clause.h"

namespace quorlin::schema {
namespace {

struct AggregateFormat {
  const char* prefix;
  const char* suffix;
};

constexpr AggregateFormat kStandard[] = {
    {"AVG([", "]) "},  {"SUM([", "]) "},    {"MIN ([", "]) "},
    {"MAX ([", "]) "}, {"COUNT ([", "]) "}, {"COUNT (DISTINCT [", "]) "},
};

constexpr AggregateFormat kMySql[] = {
    {"AVG(`", "`) "}, {"SUM(`", "`) "},   {"MIN(`", "`) "},
    {"MAX(`", "`) "}, {"COUNT(`", "`) "}, {"COUNT(DISTINCT `", "`) "},
};

}  // namespace

std::string MakeAggregateExpression(int kind, const std::string& column, bool mysqlDialect) {
  if (kind < 0 || kind > 5) return {};
  const AggregateFormat& format = (mysqlDialect ? kMySql : kStandard)[kind];
  return format.prefix + column + format.suffix;
}

std::string SelectStatement(const std::string& table, const std::string& condition) {
  return "SELECT * FROM  " + table + " " + MakeWhereClause(condition);
}

std::string AggregateStatement(int kind, const std::string& column, const std::string& table,
                               const std::string& condition, bool mysqlDialect) {
  return "SELECT " + MakeAggregateExpression(kind, column, mysqlDialect) + "FROM " + table + " " +
         MakeWhereClause(condition);
}

}  // namespace quorlin::schema
