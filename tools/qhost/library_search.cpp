#include "library_search.h"

#include <filesystem>
#include <system_error>

namespace qhost {

std::vector<std::string> DefaultLibraryCandidates() {
  namespace fs = std::filesystem;
  const std::vector<std::string> names = LibraryFileNames();
  const std::string folder = ExecutableDirectory();
  if (!folder.empty()) {
    const fs::path executableFolder(folder);
    for (const fs::path& place : {executableFolder.parent_path().parent_path(), executableFolder,
                                  executableFolder.parent_path() / "lib"}) {
      for (const std::string& name : names) {
        std::error_code error;
        if (fs::is_regular_file(place / name, error)) return {(place / name).string()};
      }
    }
  }
  return names;
}

std::unique_ptr<SharedLibrary> LoadFirstOf(const std::vector<std::string>& candidates) {
  std::string reasons;
  for (const std::string& candidate : candidates) {
    try {
      return std::make_unique<SharedLibrary>(candidate);
    } catch (const LibraryLoadError& e) {
      reasons += (reasons.empty() ? "" : "; ") + std::string(e.what());
    }
  }
  throw LibraryLoadError(reasons.empty() ? "no library to load" : reasons);
}

}  // namespace qhost
