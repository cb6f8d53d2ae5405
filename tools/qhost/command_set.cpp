#include <ostream>

#include "ascii_case.h"
#include "commands.h"

namespace qhost {

namespace {

bool SameIgnoringCase(const std::string& a, const char* b) {
  return AsciiLower(a) == AsciiLower(b);
}

const char kRules[] =
    "Connection ids: [id] is a number or $id; leave it out to use the current connection\n"
    "(the one the last connect opened). Words with blanks go in double quotes; STATEMENT,\n"
    "CONDITION, CONNECTSTRING and TEXT take the rest of the line exactly as typed.\n"
    "\n"
    "Scripts: one command per line; lines starting with # and blank lines are skipped.\n"
    "A script stops at the first command that fails, and qhost then exits with status 1.\n"
    "A line starting with - runs its command and goes on whatever the result; a line\n"
    "starting with ! expects its command to fail, and stops the script if it succeeds.\n"
    "$scriptdir stands for the folder of the script, so that a script finds the files kept\n"
    "beside it (grid files, other scripts) wherever qhost runs.\n";

// Writes the text indented, broken between words so that lines stay within kHelpWidth.
void PrintWrapped(const std::string& text, std::ostream& out) {
  constexpr std::size_t kHelpWidth = 92;
  const std::string indent(6, ' ');
  std::string line = indent;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = text.find(' ', position);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(position, end - position);
    if (line.size() > indent.size() && line.size() + 1 + word.size() > kHelpWidth) {
      out << line << "\n";
      line = indent;
    }
    line += (line.size() > indent.size() ? " " : "") + word;
    position = end + 1;
  }
  out << line << "\n";
}

}  // namespace

CommandSet::CommandSet() {
  for (auto group : {ConnectionCommands, QueryCommands, NavigationCommands, FieldCommands,
                     SchemaCommands, RecordCommands, GridFileCommands, ShellCommands}) {
    for (const Command& command : group()) m_commands.push_back(command);
  }
}

const Command* CommandSet::Find(const std::string& name) const {
  for (const Command& command : m_commands) {
    if (SameIgnoringCase(name, command.name)) return &command;
  }
  return nullptr;
}

std::vector<std::string> CommandSet::Names() const {
  std::vector<std::string> names;
  for (const Command& command : m_commands) names.emplace_back(command.name);
  return names;
}

void PrintHelp(const CommandSet& commands, const std::string& topic, std::ostream& out) {
  if (!topic.empty()) {
    if (const Command* command = commands.Find(topic)) {
      out << "usage: " << command->usage << "\n";
      PrintWrapped(command->summary, out);
    } else {
      out << "no command '" << topic << "'\n";
    }
    return;
  }
  for (const Command& command : commands.All()) {
    out << "  " << command.usage << "\n";
    PrintWrapped(command.summary, out);
  }
  out << "\n" << kRules;
}

}  // namespace qhost
