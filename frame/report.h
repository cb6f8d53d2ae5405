#pragma once

#include <string>

#include "profiles/profile.h"

namespace quorlin::frame {

// Records a failure: a message box when the debug flag is 1, and always the last-error text.
void ReportMessage(const std::string& text) noexcept;

// Reports the message table entry with that id, from the library's own resources.
void ReportMessageId(unsigned id) noexcept;

// Reports a failure the way the active profile tells it: by message id, by a built-in text,
// with the database's own text, or not at all.
void Report(profile::Failure failure, const std::string& databaseText = {}) noexcept;

}  // namespace quorlin::frame
