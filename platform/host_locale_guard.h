#pragma once

// The host's C locale kept across calls into code that may switch it (the GUI toolkit, the
// printer library's dialogs), on every platform.
#if defined(_WIN32)

namespace quorlin::platform {

// The system's dialogs and the common controls leave the C runtime's locale alone, so there
// is nothing to put back on Windows. The empty bodies are user-provided so that a guard that
// does nothing is no unused variable to the compiler.
class HostLocaleGuard {
 public:
  HostLocaleGuard() {}
  ~HostLocaleGuard() {}
  HostLocaleGuard(const HostLocaleGuard&) = delete;
  HostLocaleGuard& operator=(const HostLocaleGuard&) = delete;
};

}  // namespace quorlin::platform

#else
#include "platform/linux/host_locale_guard.h"
#endif
