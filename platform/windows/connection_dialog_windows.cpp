#include <vector>

#include "platform/connection_dialog.h"

namespace quorlin::platform {

SQLRETURN DriverConnectWithDialog(const OdbcHandle& connection, const std::string& connect,
                                  std::string& completed) {
  std::vector<SQLCHAR> out(16384);
  SQLSMALLINT outLength = 0;
  std::string in = connect;
  const SQLRETURN ret =
      SQLDriverConnect(connection.Get(), GetDesktopWindow(), reinterpret_cast<SQLCHAR*>(in.data()),
                       static_cast<SQLSMALLINT>(in.size()), out.data(),
                       static_cast<SQLSMALLINT>(out.size()), &outLength, SQL_DRIVER_PROMPT);
  if (ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO) {
    const std::size_t length = outLength < 0 ? 0 : static_cast<std::size_t>(outLength);
    completed.assign(reinterpret_cast<const char*>(out.data()),
                     length < out.size() ? length : out.size() - 1);
  }
  return ret;
}

}  // namespace quorlin::platform
