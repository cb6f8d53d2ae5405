#pragma once

#include <string>

namespace quorlin::platform {

// A host text in the process code page as UTF-8, for libraries that take UTF-8 (the
// printer library). Nothing the code page can hold is lost; the empty text stays empty.
std::string HostTextToUtf8(const std::string& hostText);

}  // namespace quorlin::platform
