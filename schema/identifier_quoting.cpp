#include "schema/identifier_quoting.h"

namespace quorlin::schema {

const std::string StdQuoteOpen = "\"";
const std::string StdQuoteClose = "\"";
const std::string MySqlQuoteOpen = "`";
const std::string MySqlQuoteClose = "`";

std::string QuoteColumnName(const std::string& name, Dialect dialect, QuoteForm form) {
  const bool mysql = dialect == Dialect::kMySql;
  std::string text =
      (mysql ? MySqlQuoteOpen : StdQuoteOpen) + name + (mysql ? MySqlQuoteClose : StdQuoteClose);
  switch (form) {
    case QuoteForm::kTrailingBlank:
      return text + " ";
    case QuoteForm::kAssignment:
      return text + " = ";
    case QuoteForm::kBare:
      break;
  }
  return text;
}

}  // namespace quorlin::schema
