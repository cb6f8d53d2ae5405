#include "code_names.h"

#include <initializer_list>
#include <utility>

#include "arguments.h"
#include "ascii_case.h"
#include "quorlin.h"

namespace qhost {

namespace {

int ParseCode(const std::string& text, const char* what,
              std::initializer_list<std::pair<const char*, int>> names) {
  const std::string lower = AsciiLower(text);
  for (const auto& [name, code] : names) {
    if (lower == name) return code;
  }
  if (IsInt(text)) return ParseInt(text, what);
  std::string known;
  for (const auto& entry : names) known += std::string(known.empty() ? "" : ", ") + entry.first;
  throw UsageError(std::string(what) + " '" + text + "' is none of " + known + " or a number");
}

}  // namespace

int ParseAggregateKind(const std::string& text) {
  return ParseCode(text, "aggregate kind",
                   {{"avg", QUORLIN_AVG},
                    {"sum", QUORLIN_SUM},
                    {"min", QUORLIN_MIN},
                    {"max", QUORLIN_MAX},
                    {"count", QUORLIN_COUNT},
                    {"countdistinct", QUORLIN_COUNT_DISTINCT}});
}

int ParseTypeCode(const std::string& text) {
  return ParseCode(text, "type",
                   {{"float", QUORLIN_TYPE_FLOAT},
                    {"numeric", QUORLIN_TYPE_NUMERIC},
                    {"char", QUORLIN_TYPE_CHAR},
                    {"date", QUORLIN_TYPE_DATE}});
}

}  // namespace qhost
