#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "platform/linux/gui_toolkit.h"
#include "platform/linux/host_locale_guard.h"
#include "platform/linux/toolkit_text.h"
#include "platform/message_box.h"

namespace quorlin::platform {

// A display counts as available once the toolkit runs on it: a DISPLAY that names no
// reachable server is no display.
bool DisplayAvailable() {
  return EnsureToolkitStarted();
}

void ShowMessageBox(const std::string& text) {
  HostLocaleGuard hostLocale;
  if (!EnsureToolkitStarted()) return;
  // Runs its own modal loop, so it works in a host that never runs a toolkit loop itself.
  wxMessageBox(ToToolkitText(text), wxS("Quorlin"), wxOK | wxCENTRE);
}

void MessageBeep() {
  HostLocaleGuard hostLocale;
  if (!EnsureToolkitStarted()) return;
  wxBell();
  // GDK only queues the bell; a host that runs no toolkit loop would never send it.
  FlushToolkitOutput();
}

}  // namespace quorlin::platform
