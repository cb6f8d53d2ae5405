#include "arguments.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

namespace qhost {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t SkipBlanks(const std::string& text, std::size_t position) {
  while (position < text.size() && IsBlank(text[position])) ++position;
  return position;
}

}  // namespace

Arguments::Arguments(std::string line) : m_line(std::move(line)) {
  if (auto name = TakeOptional()) m_commandName = *name;
}

std::optional<Word> Arguments::ReadWord(std::size_t position, std::size_t& end) const {
  position = SkipBlanks(m_line, position);
  if (position == m_line.size()) return std::nullopt;
  Word word;
  if (m_line[position] != '"') {
    end = position;
    while (end < m_line.size() && !IsBlank(m_line[end])) ++end;
    word.text = m_line.substr(position, end - position);
    return word;
  }
  word.quoted = true;
  for (std::size_t i = position + 1; i < m_line.size(); ++i) {
    const char c = m_line[i];
    if (c == '"') {
      end = i + 1;
      return word;
    }
    if (c == '\\' && i + 1 < m_line.size() && (m_line[i + 1] == '"' || m_line[i + 1] == '\\')) {
      ++i;
    }
    word.text += m_line[i];
  }
  throw UsageError("a double quote is not closed");
}

bool Arguments::AtEnd() const {
  return SkipBlanks(m_line, m_position) == m_line.size();
}

std::optional<Word> Arguments::Peek() const {
  std::size_t end = 0;
  return ReadWord(m_position, end);
}

std::optional<std::string> Arguments::TakeOptional() {
  std::size_t end = 0;
  std::optional<Word> word = ReadWord(m_position, end);
  if (!word) return std::nullopt;
  m_position = end;
  return word->text;
}

std::string Arguments::Take(const char* what) {
  std::optional<std::string> word = TakeOptional();
  if (!word) throw UsageError(std::string("missing ") + what);
  return *word;
}

std::vector<std::string> Arguments::TakeAll() {
  std::vector<std::string> words;
  while (std::optional<std::string> word = TakeOptional()) words.push_back(*word);
  return words;
}

std::string Arguments::TakeRest() {
  const std::size_t begin = SkipBlanks(m_line, m_position);
  std::size_t end = m_line.size();
  while (end > begin && IsBlank(m_line[end - 1])) --end;
  m_position = m_line.size();
  return m_line.substr(begin, end - begin);
}

void Arguments::ExpectEnd() const {
  if (std::optional<Word> extra = Peek()) {
    throw UsageError("unexpected argument '" + extra->text + "'");
  }
}

bool IsInt(const std::string& text) {
  if (text.empty()) return false;
  const char* begin = text.c_str();
  if (*begin == '+' || *begin == '-') ++begin;
  if (*begin < '0' || *begin > '9') return false;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  return *end == '\0' && errno == 0 && value >= INT_MIN && value <= INT_MAX;
}

int ParseInt(const std::string& text, const char* what) {
  if (!IsInt(text)) throw UsageError(std::string(what) + " '" + text + "' is not a whole number");
  return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

}  // namespace qhost
