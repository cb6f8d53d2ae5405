#include <cstdlib>

#include "platform/message_box.h"

namespace quorlin::platform {

bool DisplayAvailable() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

void ShowMessageBox(const std::string&) {
  if (!DisplayAvailable()) return;
}

void MessageBeep() {}

}  // namespace quorlin::platform
