#pragma once

#include <wx/string.h>

#include <string>

namespace quorlin::platform {

// Toolkit text as a host text in the process code page (the C locale's character set), the
// way back of ToToolkitText. Text the code page cannot hold (a host that never called
// setlocale runs in plain ASCII) comes out as UTF-8, so that nothing typed is lost.
std::string ToHostText(const wxString& text);

}  // namespace quorlin::platform
