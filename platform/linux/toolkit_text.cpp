#include "platform/linux/toolkit_text.h"

#include <wx/strconv.h>

namespace quorlin::platform {

wxString ToToolkitText(const std::string& text) {
  if (text.empty()) return wxString();
  wxString converted(text.data(), wxConvLibc, text.size());
  if (converted.empty()) converted = wxString(text.data(), wxConvUTF8, text.size());
  if (converted.empty()) converted = wxString(text.data(), wxConvISO8859_1, text.size());
  return converted;
}

}  // namespace quorlin::platform
