#include "call_log.h"

#include <fstream>
#include <string>

#include "environment_options.h"

namespace mirvale {

void LogCall(std::string_view line) noexcept {
  try {
    const std::string path = CallLogPath();
    if (path.empty()) return;
    std::ofstream log(path, std::ios::app);
    log << line << '\n';
  } catch (...) {
    // Tracing is best effort.
  }
}

}  // namespace mirvale
