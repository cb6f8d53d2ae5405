#pragma once

#include <string>
#include <string_view>

#include "profiles/dialect.h"

namespace quorlin::schema {

// The full profile's identifier quotes: a double quote in the standard dialect, a backtick
// in the MySQL dialect. Opening and closing quote are separate strings, each statement
// taking its opening quote from the one and its closing quote from the other.
extern const char StdQuoteOpen[];
extern const char StdQuoteClose[];
extern const char MySqlQuoteOpen[];
extern const char MySqlQuoteClose[];

// A column name between the dialect's quotes, followed by after; names are never escaped.
std::string QuoteColumnName(std::string_view name, const profile::Dialect& dialect,
                            std::string_view after);
// The same, appended to text (statements are built by appending, without temporaries).
void AppendQuotedColumnName(std::string& text, std::string_view name,
                            const profile::Dialect& dialect, std::string_view after);

}  // namespace quorlin::schema
