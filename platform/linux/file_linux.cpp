#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file.h"

namespace quorlin::platform {

CFile::~CFile() {
  Close();
}

bool CFile::OpenForExclusiveRead(const std::string& path) {
  Close();
  // Without O_NONBLOCK, opening a FIFO that has no writer waits for one forever. Only a
  // regular file is a grid file; a device, FIFO, socket or folder is refused before it is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  struct stat info {};
  const int flags = ::fcntl(fd, F_GETFL);
  // Sharing with nobody: a file another process holds locked cannot be opened. The lock is
  // advisory, so a process that merely has the file open does not stop the read.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  m_handle = fd;
  m_path = path;
  return true;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
  if (!IsOpen()) throw CFileException(CFileException::generic, m_path, "The file is not open.");
  std::size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t got = ::read(static_cast<int>(m_handle), out + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw CFileException(CFileException::readError, m_path, std::strerror(errno));
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::uint64_t CFile::GetLength() const {
  struct stat info {};
  if (!IsOpen() || ::fstat(static_cast<int>(m_handle), &info) != 0) {
    throw CFileException(CFileException::generic, m_path, "The file length cannot be read.");
  }
  return static_cast<std::uint64_t>(info.st_size);
}

bool CFile::IsOpen() const {
  return m_handle >= 0;
}

void CFile::Close() noexcept {
  if (m_handle >= 0) ::close(static_cast<int>(m_handle));  // also releases the lock
  m_handle = -1;
}

}  // namespace quorlin::platform
