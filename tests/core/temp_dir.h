#pragma once

#include <string>

namespace quorlin::test {

// Where temp files go: a folder that both the program and the database drivers can name.
std::string TempRoot();

// A folder removed with everything in it when the object dies.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

}  // namespace quorlin::test
