#pragma once

#include <string>

namespace quorlin::bench {

// A fresh folder under the system's temp folder, removed with everything in it on
// destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

}  // namespace quorlin::bench
