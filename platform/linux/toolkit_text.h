#pragma once

#include <wx/string.h>

#include <string>

namespace quorlin::platform {

// A host text in the process code page (the C locale's character set) as toolkit text.
// Bytes that the code page cannot read are tried as UTF-8 (a host that never called
// setlocale still passes UTF-8 in practice) and then as Latin-1, so that no text is lost.
wxString ToToolkitText(const std::string& text);

}  // namespace quorlin::platform
