#include <windows.h>

#include "platform/utf8_text.h"

namespace quorlin::platform {

// From the ANSI code page through UTF-16, the only way Windows converts between code pages.
std::string HostTextToUtf8(const std::string& hostText) {
  if (hostText.empty()) return {};
  const int size = static_cast<int>(hostText.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, hostText.data(), size, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, hostText.data(), size, wide.data(), wideLength);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace quorlin::platform
