#include <windows.h>

#include "platform/text.h"

namespace quorlin::platform {

std::size_t CharLength(const char* text, std::size_t remaining) {
  if (remaining == 0) return 0;
  if (remaining >= 2 && IsDBCSLeadByte(static_cast<BYTE>(*text))) return 2;
  return 1;
}

}  // namespace quorlin::platform
