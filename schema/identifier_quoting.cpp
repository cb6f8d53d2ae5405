#include "schema/identifier_quoting.h"

namespace quorlin::schema {

const std::string StdQuoteOpen = "\"";
const std::string StdQuoteClose = "\"";
const std::string MySqlQuoteOpen = "`";
const std::string MySqlQuoteClose = "`";

std::string QuoteColumnName(const std::string& name, Dialect dialect, QuoteForm form) {
  std::string text;
  AppendQuotedColumnName(text, name, dialect, form);
  return text;
}

void AppendQuotedColumnName(std::string& text, std::string_view name, Dialect dialect,
                            QuoteForm form) {
  const bool mysql = dialect == Dialect::kMySql;
  text += mysql ? MySqlQuoteOpen : StdQuoteOpen;
  text += name;
  text += mysql ? MySqlQuoteClose : StdQuoteClose;
  switch (form) {
    case QuoteForm::kTrailingBlank:
      text += ' ';
      break;
    case QuoteForm::kAssignment:
      text += " = ";
      break;
    case QuoteForm::kBare:
      break;
  }
}

}  // namespace quorlin::schema
