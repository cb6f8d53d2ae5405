#pragma once

#include <cstddef>
#include <string>

namespace mirvale {

// Characters (code points) in a UTF-8 text; bytes that start no character are not counted.
std::size_t CharacterCount(const std::string& text);

// The text cut after its first maxCharacters characters, on one line: line breaks and tabs
// would draw as boxes or break the row, so they become blanks.
std::string SingleLine(const std::string& text, std::size_t maxCharacters);

}  // namespace mirvale
