#include "platform/dialog_unavailable_error.h"
#include "platform/linux/gui_toolkit.h"
#include "platform/linux/host_locale_guard.h"
#include "platform/resources.h"
#include "profiles/profile.h"
#include "viewer/front_end.h"
#include "viewer/wx/view_data_window.h"

namespace quorlin::viewer {

void RunViewDataDialog(ViewDataDialog& dialog) {
  // The toolkit may set the C locale while it runs; the host gets its own back.
  platform::HostLocaleGuard hostLocale;
  const bool chinese = platform::UserInterfaceIsChinese();
  if (!platform::EnsureToolkitStarted()) {
    throw platform::DialogUnavailableError(
        "SQLDisplay cannot show the View data dialog: no display is available (DISPLAY and "
        "WAYLAND_DISPLAY name none that can be opened).");
  }
  ViewDataWindow window(dialog, profile::Active().viewDataTemplate(chinese));
  window.Run();
}

}  // namespace quorlin::viewer
