#include "artefacts.h"

#include <wx/window.h>

#include <cstdlib>
#include <filesystem>

namespace quorlin::test {

std::string ArtefactPath(const std::string& name) {
  const char* dir = std::getenv("QUORLIN_TEST_ARTEFACTS");
  const std::string folder = dir != nullptr && *dir != '\0' ? dir : ".";
  std::filesystem::create_directories(folder);
  return folder + "/" + name;
}

bool SaveScreenshot(wxWindow& window, const std::string& path) {
  window.Update();
  const wxRect screen = window.GetScreenRect();
  const std::string geometry = std::to_string(screen.width) + "x" + std::to_string(screen.height) +
                               "+" + std::to_string(screen.x) + "+" + std::to_string(screen.y);
  std::filesystem::remove(path);
  // The display has no window manager, so the root window shows exactly what is mapped.
  const std::string command =
      "import -window root -crop " + geometry + " +repage '" + path + "' 2>/dev/null";
  return std::system(command.c_str()) == 0 && std::filesystem::exists(path);
}

}  // namespace quorlin::test
