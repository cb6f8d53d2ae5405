#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_exception.h"

namespace quorlin::platform {

// A file opened for reading only and shared with nobody while open.
class CFile {
 public:
  CFile() = default;
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // False when the file cannot be opened, is not a regular file on disk (a FIFO, device,
  // socket or folder, refused without waiting on it), or another process holds it.
  bool OpenForExclusiveRead(const std::string& path);
  // Reads up to count bytes; fewer at the end of the file. Throws CFileException on a
  // read error of the file system.
  std::size_t Read(void* buffer, std::size_t count);
  // Reads exactly count bytes or throws CFileException (endOfFile).
  void ReadExactly(void* buffer, std::size_t count);
  std::uint64_t GetLength() const;
  bool IsOpen() const;
  void Close() noexcept;
  const std::string& GetFilePath() const { return m_path; }

 private:
  std::string m_path;
  std::intptr_t m_handle = -1;
};

}  // namespace quorlin::platform
