#pragma once

#include <string>
#include <vector>

#include "arguments.h"
#include "session.h"

namespace qhost {

// One command of the shell. It returns true on success; on failure it has printed why.
struct Command {
  const char* name;
  const char* usage;
  const char* summary;
  bool (*run)(Session& session, Arguments& arguments);
};

// The commands by subject, each group in its own file.
std::vector<Command> ConnectionCommands();
std::vector<Command> QueryCommands();
std::vector<Command> NavigationCommands();
std::vector<Command> FieldCommands();
std::vector<Command> SchemaCommands();
std::vector<Command> RecordCommands();
std::vector<Command> GridFileCommands();
std::vector<Command> ShellCommands();

// Every command, in the order help lists them.
class CommandSet {
 public:
  CommandSet();
  const Command* Find(const std::string& name) const;
  const std::vector<Command>& All() const { return m_commands; }
  std::vector<std::string> Names() const;

 private:
  std::vector<Command> m_commands;
};

// Prints the command list (or one command's usage) with the script rules.
void PrintHelp(const CommandSet& commands, const std::string& topic, std::ostream& out);

}  // namespace qhost
