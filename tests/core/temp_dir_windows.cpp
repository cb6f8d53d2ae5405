#include <windows.h>

#include <filesystem>
#include <random>
#include <stdexcept>

#include "temp_dir.h"

namespace quorlin::test {

// The database drivers behind Wine's ODBC are Linux ones and take Linux paths only; a rooted
// Unix folder is also a path on the program's own drive (Wine's Z:, where it starts).
std::string TempRoot() {
  return "/tmp";
}

TempDir::TempDir() {
  std::random_device seed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = TempRoot() + "/quorlin-" + std::to_string(seed());
    if (CreateDirectoryA(path.c_str(), nullptr)) {
      m_path = path;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("no temp folder could be made under " + TempRoot());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

}  // namespace quorlin::test
