#pragma once

#include "frame/failure.h"

namespace quorlin::frame {

// Tells the host of a failure: the last-error text, after a message box when the debug flag
// is 1; or a message box alone for a failure shown that way. The export frame calls it for
// whatever an export ends in; elsewhere only where no export's result can carry a failure
// (the View data dialog's buttons while it runs, a connection's results closed at unload).
void Report(const Failure& failure) noexcept;

// Transitional spellings for the viewer while its failures move to one file.
inline void ReportMessage(const std::string& text) noexcept {
  try {
    Report(Failure::Words(text));
  } catch (...) {
  }
}
inline void Report(profile::Failure failure) noexcept {
  Report(Failure::OfProfile(failure));
}

}  // namespace quorlin::frame
