#include "connections/folded_text.h"

#include <utility>

#include "platform/text.h"

namespace quorlin::connections {

FoldedText::FoldedText(std::string text) : m_text(std::move(text)) {
  m_folded.resize(m_text.size());
  // FNV-1a: cheap, and good enough to tell different texts of one length apart.
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t i = 0; i < m_text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(m_text[i]);
    const auto folded = static_cast<unsigned char>(byte >= 'a' && byte <= 'z' ? byte - 32 : byte);
    m_ascii = m_ascii && byte < 0x80;
    m_folded[i] = static_cast<char>(folded);
    hash = (hash ^ folded) * 1099511628211ull;
  }
  m_hash = hash;
}

bool FoldedText::CaseBlindEquals(const FoldedText& other) const {
  if (m_hash != other.m_hash || m_folded != other.m_folded) return false;
  return (m_ascii && other.m_ascii) || platform::MbsIEqual(m_text, other.m_text);
}

}  // namespace quorlin::connections
