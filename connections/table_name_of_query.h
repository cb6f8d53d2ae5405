#pragma once

#include <string>

namespace quorlin::connections {

// The name a query's result is cached under: the text between the first FROM and the first
// WHERE, upper-cased, without blanks, brackets or line-feed-tab pairs. Empty when there is
// no FROM or it starts the text.
std::string TableNameOfQuery(const std::string& sql);

}  // namespace quorlin::connections
