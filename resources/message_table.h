#pragma once

#include "platform/resources.h"
#include "resources/message_ids.h"

namespace quorlin::resources {

// The library's message table in English and Chinese.
const platform::StringTable& MessageTable();

}  // namespace quorlin::resources
