#include <windows.h>

#include "platform/message_box.h"

namespace quorlin::platform {

void ShowMessageBox(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), "Quorlin", MB_OK | MB_TASKMODAL);
}

void MessageBeep() {
  ::MessageBeep(MB_OK);
}

bool DisplayAvailable() {
  return true;
}

}  // namespace quorlin::platform
