#pragma once

#include <string>
#include <string_view>

#include "profiles/dialect.h"

namespace quorlin::schema {

// A column name between the dialect's quotes, followed by after; names are never escaped.
std::string QuoteColumnName(std::string_view name, const profile::Dialect& dialect,
                            std::string_view after);
// The same, appended to text (statements are built by appending, without temporaries).
void AppendQuotedColumnName(std::string& text, std::string_view name,
                            const profile::Dialect& dialect, std::string_view after);

}  // namespace quorlin::schema
