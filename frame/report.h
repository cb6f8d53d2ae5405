#pragma once

#include "frame/failure.h"

namespace quorlin::frame {

// Tells the host of a failure: the last-error text, after a message box when the debug flag
// is 1; or a message box alone for a failure shown that way. The export frame calls it for
// whatever an export ends in; elsewhere only where no export's result can carry a failure
// (the View data dialog's buttons while it runs, a connection's results closed at unload).
void Report(const Failure& failure) noexcept;

}  // namespace quorlin::frame
