#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "ascii_case.h"
#include "commands.h"

namespace qhost {

namespace {

bool Debug(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, setDebug, SQLSetDebug);
  const int flag = ParseInt(arguments.Take("FLAG"), "flag");
  arguments.ExpectEnd();
  setDebug(flag);
  session.SetDebugFlag(flag);
  session.Out() << "done\n";
  return true;
}

bool LastError(Session& session, Arguments& arguments) {
  arguments.ExpectEnd();
  session.Out() << session.LastErrorText() << "\n";
  return session.Exports().SQLLastError != nullptr;
}

bool Exports(Session& session, Arguments& arguments) {
  arguments.ExpectEnd();
  int present = 0;
  const auto listing = session.Exports().Listing();
  for (const auto& entry : listing) {
    session.Out() << (entry.present ? "  yes  " : "  no   ") << entry.name << "\n";
    present += entry.present ? 1 : 0;
  }
  session.Out() << present << " of " << listing.size() << " exports\n";
  return true;
}

bool Display(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, display, SQLDisplay);
  const std::optional<std::string> rows = arguments.TakeOptional();
  arguments.ExpectEnd();
  const int rowsPerPage = rows ? ParseInt(*rows, "rows per page") : 20;
  // No result value: a dialog that could not be shown is told of in the last-error text.
  session.MarkLastError();
  display(rowsPerPage);
  if (session.ReportedSomething()) {
    session.Out() << "not shown: " << session.LastErrorText() << "\n";
    return false;
  }
  session.Out() << "done\n";
  return true;
}

bool Timer(Session& session, Arguments& arguments) {
  if (const std::optional<std::string> word = arguments.TakeOptional()) {
    const std::string state = AsciiLower(*word);
    if (state != "on" && state != "off") throw UsageError("'" + *word + "' is neither on nor off");
    session.timerOn = state == "on";
  }
  arguments.ExpectEnd();
  session.Out() << "timer " << (session.timerOn ? "on" : "off") << "\n";
  return true;
}

bool Echo(Session& session, Arguments& arguments) {
  session.Out() << arguments.TakeRest() << "\n";
  return true;
}

// Lets a script start from a fresh database file each time it runs.
bool Remove(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  arguments.ExpectEnd();
  std::error_code error;
  const bool removed = std::filesystem::remove(path, error);
  if (error) {
    session.Out() << "cannot remove " << path << ": " << error.message() << "\n";
    return false;
  }
  session.Out() << (removed ? "removed " : "no file ") << path << "\n";
  return true;
}

bool Source(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  arguments.ExpectEnd();
  return session.sourceScript(path);
}

bool Help(Session& session, Arguments& arguments) {
  const std::string topic = arguments.TakeOptional().value_or("");
  arguments.ExpectEnd();
  session.showHelp(topic);
  return true;
}

bool Quit(Session& session, Arguments& arguments) {
  arguments.ExpectEnd();
  session.quitRequested = true;
  return true;
}

}  // namespace

std::vector<Command> ShellCommands() {
  return {
      {"debug", "debug FLAG",
       "SQLSetDebug: 1 also shows every message in a message box where a display exists", Debug},
      {"lasterror", "lasterror", "SQLLastError: prints the last-error text", LastError},
      {"display", "display [ROWS]",
       "SQLDisplay: shows the current recordset in the View data dialog, ROWS per page "
       "(20 if not given). SQLDisplay has no result, so qhost first puts a known text in the "
       "last-error text (a SQLCreateTableEx call it refuses) and sees a failure by the text "
       "changing; lasterror then shows that text after a dialog that was shown",
       Display},
      {"exports", "exports", "lists the 25 exports and whether this library has each", Exports},
      {"timer", "timer [on|off]",
       "with on, every later command prints its elapsed time after its output, as (12.3 ms); "
       "without an argument, shows whether the timer is on",
       Timer},
      {"echo", "echo TEXT", "prints the text", Echo},
      {"remove", "remove FILE", "deletes a file if it exists (for a fresh database)", Remove},
      {"source", "source FILE",
       "runs a script; a relative name is found beside the script that sources it", Source},
      {"help", "help [COMMAND]", "lists the commands, or shows one", Help},
      {"quit", "quit", "ends qhost (also: exit, or end of input)", Quit},
      {"exit", "exit", "ends qhost", Quit},
  };
}

}  // namespace qhost
