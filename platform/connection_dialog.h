#pragma once

#include <string>

#include "platform/odbc_handle.h"

namespace quorlin::platform {

// Connects with a dialog in which the operator composes the connection, starting from
// connect. Returns SQL_NO_DATA when the operator cancels; fills completed on success.
// Throws DialogUnavailableError where no dialog can be shown.
SQLRETURN DriverConnectWithDialog(const OdbcHandle& connection, const std::string& connect,
                                  std::string& completed);

}  // namespace quorlin::platform
