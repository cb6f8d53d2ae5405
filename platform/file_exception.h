#pragma once

#include <stdexcept>
#include <string>

namespace quorlin::platform {

// A file failure while reading an open file. Opening failures are reported by CFile::Open's
// result instead, because the readers treat a missing file differently from a damaged one.
class CFileException : public std::runtime_error {
 public:
  enum Cause { generic, endOfFile, accessDenied, readError, badCount };

  CFileException(Cause cause, const std::string& fileName, const std::string& text)
      : std::runtime_error(text), m_cause(cause), m_fileName(fileName) {}

  Cause GetCause() const { return m_cause; }
  const std::string& FileName() const { return m_fileName; }

 private:
  Cause m_cause;
  std::string m_fileName;
};

}  // namespace quorlin::platform
