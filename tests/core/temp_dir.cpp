#include "temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace quorlin::test {

std::string TempRoot() {
  return std::filesystem::temp_directory_path().string();
}

TempDir::TempDir() {
  std::string pattern = TempRoot() + "/quorlin-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

}  // namespace quorlin::test
