#pragma once

#include <string>
#include <string_view>

#include "schema/column_types.h"

namespace quorlin::schema {

// The identifier quotes: a double quote in the standard dialect, a backtick in the MySQL
// dialect. Opening and closing quote are separate strings, each statement taking its opening
// quote from the one and its closing quote from the other.
extern const std::string StdQuoteOpen;
extern const std::string StdQuoteClose;
extern const std::string MySqlQuoteOpen;
extern const std::string MySqlQuoteClose;

enum class QuoteForm {
  kTrailingBlank,  // "name" followed by one blank
  kBare,           // "name"
  kAssignment,     // "name" = (an UPDATE's SET entry)
};

// A column name between the dialect's quotes; names are never escaped.
std::string QuoteColumnName(const std::string& name, Dialect dialect, QuoteForm form);
// The same, appended to text (statements are built by appending, without temporaries).
void AppendQuotedColumnName(std::string& text, std::string_view name, Dialect dialect,
                            QuoteForm form);

}  // namespace quorlin::schema
