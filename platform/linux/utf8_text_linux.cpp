#include <wx/string.h>

#include "platform/linux/toolkit_text.h"
#include "platform/utf8_text.h"

namespace quorlin::platform {

// The toolkit's reading of the code page, with its fallbacks, so that the printer gets the
// same characters that the dialog shows.
std::string HostTextToUtf8(const std::string& hostText) {
  return ToToolkitText(hostText).utf8_string();
}

}  // namespace quorlin::platform
