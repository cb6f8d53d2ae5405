#pragma once

#include <string>

#include "platform/odbc_handle.h"

namespace quorlin::platform {

// Connects the handle with a complete connect string, never prompting; the driver's
// completed connect string goes into completed. A server that does not answer gives up
// after a bounded login time instead of holding the operator's dialog.
SQLRETURN ConnectWithoutPrompt(const OdbcHandle& connection, const std::string& connect,
                               std::string& completed);

struct ConnectionTestResult {
  bool connected = false;
  // The driver manager's or driver's message when it failed.
  std::string message;
};

// Connects on a connection of its own and disconnects again: the dialog's Test button.
ConnectionTestResult TestConnection(const std::string& connect);

}  // namespace quorlin::platform
