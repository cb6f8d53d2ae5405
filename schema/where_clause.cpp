#include "schema/where_clause.h"

#include <cstring>

#include "platform/text.h"
#include "profiles/profile.h"

namespace quorlin::schema {
namespace {

bool StartsWithClauseWord(const std::string& condition) {
  const profile::Profile& active = profile::Active();
  for (std::size_t i = 0; i < active.clauseWordCount; ++i) {
    const char* word = active.clauseWords[i];
    if (platform::MbsNICmp(condition, word, std::strlen(word)) == 0) return true;
  }
  return false;
}

}  // namespace

std::string MakeWhereClause(const std::string& condition) {
  const std::string trimmed = platform::TrimLeft(condition);
  if (trimmed.empty()) return {};
  return std::string("\n\t") + (StartsWithClauseWord(trimmed) ? "" : "WHERE ") + trimmed;
}

}  // namespace quorlin::schema
