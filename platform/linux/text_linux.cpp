#include <locale.h>
#include <stdlib.h>
#include <wchar.h>

#include <cstring>

#include "platform/locale_numbers.h"
#include "platform/text.h"

namespace quorlin::platform {

std::size_t CharLength(const char* text, std::size_t remaining) {
  if (remaining == 0) return 0;
  if (static_cast<unsigned char>(*text) < 0x80) return 1;
  std::mbstate_t state{};
  const std::size_t length = mbrlen(text, remaining, &state);
  // Invalid or truncated sequences count byte by byte, so that no byte is skipped.
  if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) ||
      length == 0) {
    return 1;
  }
  return length;
}

double StrToDoubleClassic(const char* text) {
  static const locale_t classic = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
  return strtod_l(text, nullptr, classic);
}

}  // namespace quorlin::platform
