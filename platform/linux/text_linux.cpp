#include <cwchar>

#include "platform/text.h"

namespace quorlin::platform {

std::size_t CharLength(const char* text, std::size_t remaining) {
  if (remaining == 0) return 0;
  if (static_cast<unsigned char>(*text) < 0x80) return 1;
  std::mbstate_t state{};
  const std::size_t length = std::mbrlen(text, remaining, &state);
  // Invalid or truncated sequences count byte by byte, so that no byte is skipped.
  if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) ||
      length == 0) {
    return 1;
  }
  return length;
}

}  // namespace quorlin::platform
