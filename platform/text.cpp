#include "platform/text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace quorlin::platform {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Moves i past leading white space and a sign; true when the sign is a minus.
bool SkipSpaceAndSign(const std::string& text, std::size_t& i) {
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) return text[i++] == '-';
  return false;
}

// Counts stop growing here: far beyond any double's range, and the sums cannot overflow.
constexpr long long kCountCap = 1000000;

// The decimal number starting at text[start]: digits with an optional "." and an optional
// exponent. end is 0 when there are no digits before the exponent. leadingPower is the power
// of ten of the first significant digit, which tells an overflow from an underflow.
struct DecimalSpan {
  std::size_t end = 0;
  long long leadingPower = 0;
};

DecimalSpan ScanDecimal(const std::string& text, std::size_t i) {
  const std::size_t size = text.size();
  bool anyDigit = false;
  bool significant = false;
  long long integerDigits = 0;    // significant digits before the point
  long long zerosAfterPoint = 0;  // before the first significant digit
  for (; i < size && IsDigit(text[i]); ++i) {
    anyDigit = true;
    significant = significant || text[i] != '0';
    if (significant && integerDigits < kCountCap) ++integerDigits;
  }
  if (i < size && text[i] == '.') {
    for (++i; i < size && IsDigit(text[i]); ++i) {
      anyDigit = true;
      if (significant) continue;
      significant = text[i] != '0';
      if (!significant && zerosAfterPoint < kCountCap) ++zerosAfterPoint;
    }
  }
  DecimalSpan span;
  if (!anyDigit) return span;
  span.end = i;
  long long exponent = 0;
  if (i < size && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool negative = j < size && text[j] == '-';
    if (j < size && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < size && IsDigit(text[j])) {  // "1e" and "1e+" are the number 1 and a rest
      for (; j < size && IsDigit(text[j]); ++j) {
        if (exponent < kCountCap) exponent = exponent * 10 + (text[j] - '0');
      }
      span.end = j;
      if (negative) exponent = -exponent;
    }
  }
  span.leadingPower = (integerDigits > 0 ? integerDigits - 1 : -(zerosAfterPoint + 1)) + exponent;
  return span;
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
  const bool negative = SkipSpaceAndSign(text, i);
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturate instead of overflowing
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// The span is checked by the rules first, so the conversion never sees the hexadecimal,
// infinity and NaN forms that the C library would also take; from_chars ignores the locale.
double AtoF(const std::string& text) {
  std::size_t start = 0;
  const bool negative = SkipSpaceAndSign(text, start);
  const DecimalSpan span = ScanDecimal(text, start);
  if (span.end == 0) return 0.0;
  double value = 0.0;
  const std::from_chars_result result =
      std::from_chars(text.data() + start, text.data() + span.end, value);
  if (result.ec == std::errc::result_out_of_range) {
    value = span.leadingPower > 0 ? HUGE_VAL : 0.0;
  } else if (result.ec != std::errc()) {
    return 0.0;
  }
  return negative ? -value : value;
}

std::string QuotedInMessage(const std::string& text) {
  constexpr std::size_t kQuotedBytes = 64;
  if (text.size() <= kQuotedBytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t length = CharLength(text.data() + end, text.size() - end);
    if (end + length > kQuotedBytes) break;
    end += length;
  }
  return text.substr(0, end) + "...";
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
