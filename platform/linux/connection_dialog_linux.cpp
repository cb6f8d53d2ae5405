#include "platform/connection_dialog.h"
#include "platform/dialog_unavailable_error.h"

namespace quorlin::platform {

// The driver manager on Linux has no connection dialog of its own.
SQLRETURN DriverConnectWithDialog(const OdbcHandle&, const std::string&, std::string&) {
  throw DialogUnavailableError(
      "No connection dialog can be shown here: the ODBC driver manager has none. Pass a "
      "complete connect string to SQLConnectToDatabase instead.");
}

}  // namespace quorlin::platform
