#include "schema/identifier_quoting.h"

namespace quorlin::schema {

std::string QuoteColumnName(std::string_view name, const profile::Dialect& dialect,
                            std::string_view after) {
  std::string text;
  AppendQuotedColumnName(text, name, dialect, after);
  return text;
}

void AppendQuotedColumnName(std::string& text, std::string_view name,
                            const profile::Dialect& dialect, std::string_view after) {
  text += dialect.quoteOpen;
  text += name;
  text += dialect.quoteClose;
  text += after;
}

}  // namespace quorlin::schema
