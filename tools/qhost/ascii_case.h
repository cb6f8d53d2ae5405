#pragma once

#include <string>

namespace qhost {

// Letter case of ASCII letters only. The C library's tolower follows the locale's character
// set and changes single-byte accented letters in some, so commands, codes and names would be
// read differently from one locale to the next; the library, too, changes ASCII letters only.
std::string AsciiLower(std::string text);
std::string AsciiUpper(std::string text);

}  // namespace qhost
