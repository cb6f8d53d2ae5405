#include <locale.h>
#include <stdlib.h>
#include <windows.h>

#include "platform/locale_numbers.h"
#include "platform/text.h"

namespace quorlin::platform {

std::size_t CharLength(const char* text, std::size_t remaining) {
  if (remaining == 0) return 0;
  if (remaining >= 2 && IsDBCSLeadByte(static_cast<BYTE>(*text))) return 2;
  return 1;
}

double StrToDoubleClassic(const char* text) {
  static const _locale_t classic = _create_locale(LC_NUMERIC, "C");
  return _strtod_l(text, nullptr, classic);
}

}  // namespace quorlin::platform
