#pragma once

#include <stdexcept>

namespace quorlin::platform {

// No dialog can be shown in this process (no display, or no dialog support on this system).
class DialogUnavailableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quorlin::platform
