#include "connections/table_name_of_query.h"

#include "platform/text.h"

namespace quorlin::connections {
namespace {

bool IsAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The name taken from text once it has been upper-cased and stripped.
std::string NameBetweenFromAndWhere(const std::string& text, std::size_t from, std::size_t where) {
  if (from == std::string::npos || from == 0) return {};
  if (where == std::string::npos) where = text.size();
  const long count = static_cast<long>(where) - static_cast<long>(from) - 4;
  if (count <= 0) return {};
  return text.substr(from + 4, static_cast<std::size_t>(count));
}

// Every byte of an ASCII text is a character of its own in every code page, so one pass does
// what the general steps do one after another: blanks and brackets go first, and a line feed
// followed by a tab goes only when they meet once those are gone, without the removal of one
// pair making another.
std::string AsciiTableName(const std::string& sql) {
  std::string text;
  text.reserve(sql.size());
  bool lineFeedPending = false;
  for (const char c : sql) {
    if (c == ' ' || c == '[' || c == ']') continue;
    if (lineFeedPending && c == '\t') {
      lineFeedPending = false;
      continue;
    }
    if (lineFeedPending) text += '\n';
    lineFeedPending = c == '\n';
    if (!lineFeedPending) text += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  if (lineFeedPending) text += '\n';
  return NameBetweenFromAndWhere(text, text.find("FROM"), text.find("WHERE"));
}

}  // namespace

std::string TableNameOfQuery(const std::string& sql) {
  using namespace platform;
  // The general steps copy the text once per step and ask the code page about every
  // character; a statement that is all ASCII needs neither.
  if (IsAscii(sql)) return AsciiTableName(sql);
  std::string text = MbsUpper(sql);
  text = MbsRemoveAll(text, " ");
  text = MbsRemoveAll(text, "[");
  text = MbsRemoveAll(text, "]");
  text = MbsRemoveAll(text, "\n\t");
  return NameBetweenFromAndWhere(text, MbsFind(text, "FROM"), MbsFind(text, "WHERE"));
}

}  // namespace quorlin::connections
