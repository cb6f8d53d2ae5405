#include "platform/linux/connection_attempt.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/db_exception.h"

namespace quorlin::platform {
namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 20;
constexpr std::size_t kCompletedSize = 16384;
// The driver manager takes the length as a 16-bit count.
constexpr std::size_t kLongestConnectString = 32767;

}  // namespace

SQLRETURN ConnectWithoutPrompt(const OdbcHandle& connection, const std::string& connect,
                               std::string& completed) {
  if (connect.size() > kLongestConnectString) {
    throw CDBException("The connect string is longer than 32767 bytes.");
  }
  // Drivers that do not support a login time-out refuse the attribute; that is not an error.
  SQLSetConnectAttr(connection.Get(), SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
  std::string in = connect;
  std::vector<SQLCHAR> out(kCompletedSize);
  SQLSMALLINT outLength = 0;
  const SQLRETURN ret =
      SQLDriverConnect(connection.Get(), nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                       static_cast<SQLSMALLINT>(in.size()), out.data(),
                       static_cast<SQLSMALLINT>(out.size()), &outLength, SQL_DRIVER_NOPROMPT);
  if (Succeeded(ret)) {
    const auto reported = static_cast<std::size_t>(std::max<SQLSMALLINT>(outLength, 0));
    const std::size_t length = std::min(reported, out.size() - 1);
    completed.assign(reinterpret_cast<const char*>(out.data()), length);
  }
  return ret;
}

ConnectionTestResult TestConnection(const std::string& connect) {
  try {
    const std::shared_ptr<OdbcEnvironment> environment = OdbcEnvironment::Shared();
    const OdbcHandle connection =
        AllocateHandle(SQL_HANDLE_DBC, SQL_HANDLE_ENV, environment->Get());
    std::string completed;
    const SQLRETURN ret = ConnectWithoutPrompt(connection, connect, completed);
    if (ret == SQL_NO_DATA) return {false, "The driver made no connection."};
    ThrowIfFailed(ret, connection);
    return {true, {}};
  } catch (const CDBException& e) {
    return {false, e.ErrorText()};
  }
}

}  // namespace quorlin::platform
