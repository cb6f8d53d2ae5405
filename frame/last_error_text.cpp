#include "frame/last_error_text.h"

#include <cstring>

namespace quorlin::frame {

void LastErrorText::Set(const std::string& text) {
  const std::size_t length = text.size() < kSize - 1 ? text.size() : kSize - 1;
  std::memcpy(m_text, text.data(), length);
  std::memset(m_text + length, 0, kSize - length);
}

std::size_t LastErrorText::Length() const {
  return std::strlen(m_text);
}

}  // namespace quorlin::frame
