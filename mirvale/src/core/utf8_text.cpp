#include "core/utf8_text.h"

namespace mirvale {
namespace {

bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

}  // namespace

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (char byte : text) count += StartsCharacter(byte) ? 1 : 0;
  return count;
}

std::string SingleLine(const std::string& text, std::size_t maxCharacters) {
  std::string line;
  line.reserve(text.size());
  std::size_t characters = 0;
  for (char byte : text) {
    if (StartsCharacter(byte) && ++characters > maxCharacters) break;
    line += (byte == '\n' || byte == '\r' || byte == '\t') ? ' ' : byte;
  }
  return line;
}

}  // namespace mirvale
