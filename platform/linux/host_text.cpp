#include "platform/linux/host_text.h"

#include <wx/strconv.h>

namespace quorlin::platform {

std::string ToHostText(const wxString& text) {
  if (text.empty()) return {};
  // The buffer points into text's own cache, which lives as long as text does.
  const wxScopedCharBuffer converted = text.mb_str(wxConvLibc);
  if (converted.length() > 0) return std::string(converted.data(), converted.length());
  return text.utf8_string();
}

}  // namespace quorlin::platform
