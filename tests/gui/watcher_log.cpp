#include "watcher_log.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace quorlin::test {
namespace {

const char* DismissalLogPath() {
  const char* path = std::getenv("QUORLIN_TEST_DISMISSAL_LOG");
  return path != nullptr && *path != '\0' ? path : nullptr;
}

}  // namespace

bool GuiRequired() {
  const char* ci = std::getenv("CI");
  const char* required = std::getenv("QUORLIN_REQUIRE_SERVERS");
  return (ci != nullptr && std::strcmp(ci, "true") == 0) ||
         (required != nullptr && std::strcmp(required, "1") == 0);
}

bool UnderWatcher() {
  return DismissalLogPath() != nullptr;
}

int DismissedBoxCount() {
  const char* path = DismissalLogPath();
  if (path == nullptr) return -1;
  std::ifstream log(path);
  int lines = 0;
  for (std::string line; std::getline(log, line);) ++lines;
  return lines;
}

}  // namespace quorlin::test
