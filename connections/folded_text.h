#pragma once

#include <cstdint>
#include <string>

namespace quorlin::connections {

// A text prepared once for many case-blind comparisons that must give exactly what
// platform::MbsIEqual gives. Upper-casing every ASCII letter byte, whatever character it
// belongs to, keeps equal texts equal in every code page (equal texts differ only in the case
// of single-byte letters), so differing folded bytes prove a difference cheaply; only texts
// with bytes beyond ASCII, whose character boundaries depend on the locale, are then
// compared the full way.
class FoldedText {
 public:
  FoldedText() = default;
  explicit FoldedText(std::string text);

  const std::string& Text() const { return m_text; }
  bool CaseBlindEquals(const FoldedText& other) const;

 private:
  std::string m_text;
  std::string m_folded;
  std::uint64_t m_hash = 0;
  bool m_ascii = true;
};

}  // namespace quorlin::connections
