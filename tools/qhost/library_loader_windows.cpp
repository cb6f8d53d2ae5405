#include <windows.h>

#include <string>

#include "library_loader.h"

namespace qhost {

namespace {

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : std::string();
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

SharedLibrary::SharedLibrary(const std::string& path) : m_path(path) {
  // A library named with its folder finds the DLLs it imports (the printer library) in that
  // folder, not only beside qhost.exe. The flag takes full paths only, so a relative one (or
  // one rooted without a drive) is made full first.
  HMODULE module = nullptr;
  if (path.find_first_of("\\/") == std::string::npos) {
    module = LoadLibraryA(path.c_str());
  } else {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    const bool made = length > 0 && length < MAX_PATH;
    module = LoadLibraryExA(made ? full : path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (module == nullptr) throw LibraryLoadError(path + ": " + SystemMessage(GetLastError()));
  m_handle = module;
}

SharedLibrary::~SharedLibrary() {
  FreeLibrary(static_cast<HMODULE>(m_handle));
}

ExportAddress SharedLibrary::Find(const std::string& symbol) const {
  const FARPROC address = GetProcAddress(static_cast<HMODULE>(m_handle), symbol.c_str());
  return reinterpret_cast<ExportAddress>(reinterpret_cast<void*>(address));
}

std::vector<std::string> LibraryFileNames() {
  return {"quorlin.dll"};
}

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::string executable(path, length);
  const std::size_t separator = executable.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : executable.substr(0, separator);
}

}  // namespace qhost
