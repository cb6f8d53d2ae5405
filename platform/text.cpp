#include "platform/text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/locale_numbers.h"

namespace quorlin::platform {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

int MbsNICmp(const std::string& left, const std::string& right, std::size_t count) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (std::size_t n = 0; n < count; ++n) {
    if (i >= left.size() || j >= right.size()) {
      if (i >= left.size() && j >= right.size()) return 0;
      return i >= left.size() ? -1 : 1;
    }
    const std::size_t li = CharLength(left.data() + i, left.size() - i);
    const std::size_t lj = CharLength(right.data() + j, right.size() - j);
    if (li == 1 && lj == 1) {
      const auto a = static_cast<unsigned char>(AsciiUpper(left[i]));
      const auto b = static_cast<unsigned char>(AsciiUpper(right[j]));
      if (a != b) return a < b ? -1 : 1;
    } else {
      const int c = left.compare(i, li, right, j, lj);
      if (c != 0) return c;
    }
    i += li;
    j += lj;
  }
  return 0;
}

int MbsICmp(const std::string& left, const std::string& right) {
  return MbsNICmp(left, right, static_cast<std::size_t>(-1));
}

std::string MbsUpper(std::string text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLength(text.data() + i, text.size() - i);
    if (length == 1) text[i] = AsciiUpper(text[i]);
    i += length;
  }
  return text;
}

std::size_t MbsFind(const std::string& text, const std::string& what) {
  if (what.empty()) return 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, what.size(), what) == 0) return i;
    i += CharLength(text.data() + i, text.size() - i);
  }
  return std::string::npos;
}

std::string MbsRemoveAll(const std::string& text, const std::string& what) {
  if (what.empty()) return text;
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, what.size(), what) == 0) {
      i += what.size();
      continue;
    }
    const std::size_t length = CharLength(text.data() + i, text.size() - i);
    result.append(text, i, length);
    i += length;
  }
  return result;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string TrimLeft(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size() && IsWhiteSpace(text[start])) ++start;
  return text.substr(start);
}

std::string TrimRight(const std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string Trim(const std::string& text) {
  return TrimRight(TrimLeft(text));
}

std::string TrimTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

int AtoI(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturate instead of overflowing
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double AtoF(const std::string& text) {
  return StrToDoubleClassic(text.c_str());
}

std::string FixedFieldText(const char* field, std::size_t limit) {
  return std::string(FixedFieldView(field, limit));
}

std::string_view FixedFieldView(const char* field, std::size_t limit) {
  const void* end = std::memchr(field, '\0', limit);
  const std::size_t length =
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : limit;
  return std::string_view(field, length);
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace quorlin::platform
