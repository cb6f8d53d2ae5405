#pragma once

#include <string>

namespace quorlin::platform {

// A modal message box with an OK button that returns when the operator dismisses it. Where
// no display exists it shows nothing and returns at once.
void ShowMessageBox(const std::string& text);

// The system's default beep.
void MessageBeep();

// True when this process can show windows.
bool DisplayAvailable();

}  // namespace quorlin::platform
