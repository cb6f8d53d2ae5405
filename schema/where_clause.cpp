#include "schema/where_clause.h"

#include "platform/text.h"

namespace quorlin::schema {

std::string MakeWhereClause(const std::string& condition) {
  const std::string trimmed = platform::TrimLeft(condition);
  if (trimmed.empty()) return {};
  const bool hasClauseWord =
      platform::MbsNICmp(trimmed, "WHERE", 5) == 0 || platform::MbsNICmp(trimmed, "ORDER", 5) == 0;
  return std::string("\n\t") + (hasClauseWord ? "" : "WHERE ") + trimmed;
}

}  // namespace quorlin::schema
