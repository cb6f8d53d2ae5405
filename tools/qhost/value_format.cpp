#include "value_format.h"

#include <charconv>
#include <cstring>

namespace qhost {

namespace {

// All that a double keeps for certain, so that 0.1 + 0.2 shows as 0.3.
constexpr int kSignificantDigits = 15;

}  // namespace

std::string FormatNumber(double value) {
  // to_chars writes as printf does in the C locale, whatever decimal mark the user's has.
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                     kSignificantDigits);
  return std::string(text, written.ptr);
}

std::string FormatMilliseconds(double milliseconds) {
  char text[64];
  const auto written =
      std::to_chars(text, text + sizeof text, milliseconds, std::chars_format::fixed, 1);
  return std::string(text, written.ptr) + " ms";
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
