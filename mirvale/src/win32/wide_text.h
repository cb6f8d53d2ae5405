#pragma once

#include <string>

namespace mirvale {

// UTF-8 (how texts cross the library's interface) to and from the UTF-16 of the system's
// wide-character functions. Invalid sequences become replacement characters.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace mirvale
