#pragma once

#include <vector>

#include "platform/linux/connection_form.h"
#include "platform/odbc_handle.h"

namespace quorlin::platform {

// The data sources the driver manager knows (user and system), with the driver each uses.
std::vector<ConnectionSource> ListDataSources(SQLHENV environment);

// The installed drivers, with their configuration entries.
std::vector<ConnectionSource> ListDrivers(SQLHENV environment);

}  // namespace quorlin::platform
