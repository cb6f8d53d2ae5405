#include "platform/file.h"

namespace quorlin::platform {

void CFile::ReadExactly(void* buffer, std::size_t count) {
  if (Read(buffer, count) != count) {
    throw CFileException(CFileException::endOfFile, m_path,
                         "The file ends before the data it announces.");
  }
}

}  // namespace quorlin::platform
