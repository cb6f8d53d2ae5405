#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/file.h"

namespace quorlin::platform {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// The system's text for the calling thread's last error.
std::string LastErrorText() {
  const DWORD error = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = length > 0 && text != nullptr ? std::string(text, length)
                                                     : "Windows error " + std::to_string(error);
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

}  // namespace

CFile::~CFile() {
  Close();
}

bool CFile::OpenForExclusiveRead(const std::string& path) {
  Close();
  // Share mode 0: the open fails while another process holds the file, and nobody can
  // open it while this one does.
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  // Only files on disk: device names such as CON or a pipe would block or read forever.
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return false;
  }
  m_handle = reinterpret_cast<std::intptr_t>(handle);
  m_path = path;
  return true;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
  if (!IsOpen()) throw CFileException(CFileException::generic, m_path, "The file is not open.");
  std::size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(count - done, std::numeric_limits<DWORD>::max()));
    DWORD got = 0;
    if (!ReadFile(AsHandle(m_handle), out + done, chunk, &got, nullptr)) {
      throw CFileException(CFileException::readError, m_path, LastErrorText());
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::uint64_t CFile::GetLength() const {
  LARGE_INTEGER size{};
  if (!IsOpen() || !GetFileSizeEx(AsHandle(m_handle), &size)) {
    throw CFileException(CFileException::generic, m_path, "The file length cannot be read.");
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

bool CFile::IsOpen() const {
  return AsHandle(m_handle) != INVALID_HANDLE_VALUE;
}

void CFile::Close() noexcept {
  if (IsOpen()) CloseHandle(AsHandle(m_handle));
  m_handle = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

}  // namespace quorlin::platform
