#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text helpers for 8-bit texts in the process code page. Case changes and case-blind
// comparisons touch ASCII letters only, and searches match whole characters only, so the
// bytes of a double-byte character (whose second byte may look like an ASCII letter or
// bracket) are never changed, removed or matched on their own.
namespace quorlin::platform {

// Bytes of the character that starts at text[0], at least 1 and at most remaining.
std::size_t CharLength(const char* text, std::size_t remaining);

// 0 when equal ignoring ASCII case, else <0 or >0 like strcmp.
int MbsICmp(const std::string& left, const std::string& right);
inline bool MbsIEqual(const std::string& left, const std::string& right) {
  return MbsICmp(left, right) == 0;
}
// Case-blind comparison of at most count characters.
int MbsNICmp(const std::string& left, const std::string& right, std::size_t count);

std::string MbsUpper(std::string text);

// Position of the first whole-character match of what, or std::string::npos.
std::size_t MbsFind(const std::string& text, const std::string& what);

// Removes every whole-character occurrence of what.
std::string MbsRemoveAll(const std::string& text, const std::string& what);

// White space: blank, tab, line feed, carriage return, vertical tab, form feed.
bool IsWhiteSpace(char c);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string Trim(const std::string& text);
// Removes trailing blanks (0x20) only.
std::string TrimTrailingBlanks(std::string text);

// Numbers from texts, the same in every locale. Both skip leading white space, take an
// optional sign and stop at the first character that does not fit; text without leading
// digits gives 0. AtoI reads decimal digits and clamps to INT_MIN..INT_MAX. AtoF reads digits
// with "." as the decimal point and an optional exponent (e or E, optional sign, digits),
// correctly rounded; no hexadecimal, "inf" or "nan". Beyond the range of a double it gives
// HUGE_VAL with the number's sign, and a number too small for one gives 0.
int AtoI(const std::string& text);
double AtoF(const std::string& text);

// A caller's text as a message quotes it: unchanged up to 64 bytes, else its first whole
// characters within 64 bytes and "...", so that what a message says after the quote still
// fits in the last-error text.
std::string QuotedInMessage(const std::string& text);

// The bytes of a zero-terminated text of at most limit bytes (a fixed field).
std::string FixedFieldText(const char* field, std::size_t limit);
std::string_view FixedFieldView(const char* field, std::size_t limit);
// Without white space at either end.
std::string_view TrimView(std::string_view text);

}  // namespace quorlin::platform
