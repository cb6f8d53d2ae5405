#pragma once

#include <cstddef>
#include <string>

namespace quorlin::frame {

// The library-wide last-error text: 500 bytes, at most 499 characters, always terminated.
class LastErrorText {
 public:
  static constexpr std::size_t kSize = 500;

  explicit LastErrorText(const char* initial) { Set(initial); }

  // Keeps the first 499 bytes and zero-fills the rest.
  void Set(const std::string& text);
  const char* Text() const { return m_text; }
  std::size_t Length() const;

 private:
  char m_text[kSize] = {};
};

}  // namespace quorlin::frame
