#pragma once

#include <string_view>

namespace mirvale {

// Appends one line to the call log when MIRVALE_CALL_LOG names one. A log that cannot be
// written is skipped: tracing never changes what an operation does.
void LogCall(std::string_view line) noexcept;

}  // namespace mirvale
