#pragma once

#include <string>

namespace quorlin::platform {

// Keeps the host's C locale as it was: GTK and wxWidgets may call setlocale while they start
// or run, and a host that formats numbers with printf must not find its decimal point
// changed by a message box. Saves every category on construction and puts them back, with
// LC_NUMERIC once more on its own, when the guard dies.
class HostLocaleGuard {
 public:
  HostLocaleGuard();
  ~HostLocaleGuard();
  HostLocaleGuard(const HostLocaleGuard&) = delete;
  HostLocaleGuard& operator=(const HostLocaleGuard&) = delete;

 private:
  std::string m_all;
  std::string m_numeric;
};

}  // namespace quorlin::platform
