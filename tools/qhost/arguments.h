#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qhost {

// A command was given wrong arguments; the text says what is missing or malformed.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One word of a command line.
struct Word {
  std::string text;
  bool quoted = false;
};

// The words of one command line, read from left to right as the command asks for them.
// Blanks and tabs separate words; a word in double quotes may hold blanks, and inside it \"
// and \\ stand for " and \. Words are split only when a command takes them, so a command
// that takes the rest of the line (a statement, a condition) gets that text exactly as
// typed, quotes included.
class Arguments {
 public:
  explicit Arguments(std::string line);

  // The first word, the command's name; empty for a blank line.
  const std::string& CommandName() const { return m_commandName; }

  bool AtEnd() const;
  // The next word without taking it.
  std::optional<Word> Peek() const;
  // Takes the next word; `what` names it in the error when it is missing.
  std::string Take(const char* what);
  std::optional<std::string> TakeOptional();
  std::vector<std::string> TakeAll();
  // The rest of the line, verbatim, without its surrounding blanks; empty at the end.
  std::string TakeRest();
  // Throws when words are left over.
  void ExpectEnd() const;

 private:
  // Reads the word starting at or after `position`; sets `end` to the offset after it.
  std::optional<Word> ReadWord(std::size_t position, std::size_t& end) const;

  std::string m_line;
  std::size_t m_position = 0;
  std::string m_commandName;
};

// Whole numbers in the range of int, with an optional sign; throws UsageError otherwise.
int ParseInt(const std::string& text, const char* what);
bool IsInt(const std::string& text);

}  // namespace qhost
