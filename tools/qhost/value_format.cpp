#include "value_format.h"

#include <cstdio>
#include <cstring>

namespace qhost {

std::string FormatNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::string TextOfSlot(const char* slot, std::size_t size) {
  const void* terminator = std::memchr(slot, '\0', size);
  const std::size_t length =
      terminator != nullptr ? static_cast<std::size_t>(static_cast<const char*>(terminator) - slot)
                            : size;
  return std::string(slot, length);
}

std::string QuotedValue(const char* slot, std::size_t size) {
  const std::string text = TextOfSlot(slot, size);
  std::string quoted = "\"" + text + "\"";
  if (text.size() == size) {
    quoted += " (fills all " + std::to_string(size) + " bytes, no terminator)";
  }
  return quoted;
}

}  // namespace qhost
