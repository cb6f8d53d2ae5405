#include <memory>

#include "platform/connection_dialog.h"
#include "platform/dialog_unavailable_error.h"
#include "platform/linux/connection_attempt.h"
#include "platform/linux/connection_dialog_window.h"
#include "platform/linux/connection_form.h"
#include "platform/linux/gui_toolkit.h"
#include "platform/linux/host_locale_guard.h"
#include "platform/linux/odbc_catalog.h"

namespace quorlin::platform {

// The driver manager on Linux has no connection dialog of its own, so the library brings
// one. The dialog only composes and tests; the caller's connection is made here, after OK,
// so that a failure reaches the caller as the driver's diagnostics on that connection.
SQLRETURN DriverConnectWithDialog(const OdbcHandle& connection, const std::string& connect,
                                  std::string& completed) {
  HostLocaleGuard hostLocale;
  if (!EnsureToolkitStarted()) {
    throw DialogUnavailableError(
        "No connection dialog can be shown: no display is available (DISPLAY and "
        "WAYLAND_DISPLAY are unset or unreachable). Pass a complete connect string to "
        "SQLConnectToDatabase instead.");
  }
  const std::shared_ptr<OdbcEnvironment> environment = OdbcEnvironment::Shared();
  std::string chosen;
  {
    ConnectionDialog dialog(nullptr, ListDataSources(environment->Get()),
                            ListDrivers(environment->Get()), connect, &TestConnection);
    if (dialog.ShowModal() != wxID_OK) return SQL_NO_DATA;
    chosen = dialog.ConnectString();
  }
  std::string driverOutput;
  const SQLRETURN ret = ConnectWithoutPrompt(connection, chosen, driverOutput);
  if (Succeeded(ret)) completed = ReconnectableConnectString(driverOutput, chosen);
  return ret;
}

}  // namespace quorlin::platform
