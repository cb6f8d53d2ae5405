#pragma once

#include <string>

namespace quorlin::frame {

// Records a failure: a message box when the debug flag is 1, and always the last-error text.
void ReportMessage(const std::string& text) noexcept;

// Reports the message table entry with that id, from the library's own resources.
void ReportMessageId(unsigned id) noexcept;

}  // namespace quorlin::frame
