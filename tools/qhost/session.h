#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "library_exports.h"

namespace qhost {

class Arguments;

// What the commands share: the library's exports, where results go, and the current
// connection that commands use when they are given no connection id.
class Session {
 public:
  Session(const ExportTable& exports, std::ostream& out) : m_exports(exports), m_out(out) {}

  const ExportTable& Exports() const { return m_exports; }
  std::ostream& Out() { return m_out; }

  // The export, or null after saying that this library does not have it.
  template <typename Pointer>
  Pointer Require(Pointer ExportTable::*member, const char* name) {
    Pointer pointer = m_exports.*member;
    if (pointer == nullptr) m_out << "this library has no " << name << "\n";
    return pointer;
  }

  // The library's last-error text, read with SQLLastError.
  std::string LastErrorText() const;
  // Remembers the last-error text before a command runs. Exports never clear it, and a few
  // failures (a table not cached) report nothing, so Failed notes when the text it prints
  // was already there.
  void BeginCommand() {
    m_errorBeforeCommand = LastErrorText();
    m_marker.reset();
  }
  // Prints a failed call's result value with the last-error text, every time, also when a
  // failure repeats the previous one's text; always returns false so that a command can end
  // with `return session.Failed(result);`.
  bool Failed(long result);
  bool Succeeded();

  // Puts a known text into the last-error text before a call of an export that has no
  // result and tells of a failure only there: a failure that repeats the previous text then
  // still changes it. The known text is the library's refusal of a SQLCreateTableEx call
  // without columns, which touches no connection. False when no text could be put there
  // (the export is missing, or the debug flag is set, where every message is also shown in
  // a message box); then a failure is seen only when it changes the text.
  bool MarkLastError();
  // True when the export called since MarkLastError (or since the command began, when no
  // marker could be put there) left a text of its own in the last-error text.
  bool ReportedSomething() const;

  // The flag last given to SQLSetDebug through qhost (0 after loading).
  void SetDebugFlag(int flag) { m_debugFlag = flag; }

  std::optional<int> CurrentConnection() const { return m_currentConnection; }
  void SetCurrentConnection(std::optional<int> id) { m_currentConnection = id; }
  // Takes an optional leading connection id (a number or $id); without one the current
  // connection is meant, and having none is a usage error.
  int TakeConnectionId(Arguments& arguments);

  // Set by whoever runs the commands: runs a script for source, prints help.
  std::function<bool(const std::string& path)> sourceScript;
  std::function<void(const std::string& topic)> showHelp;
  bool quitRequested = false;
  // Set by the timer command: every command is followed by its elapsed time.
  bool timerOn = false;

 private:
  const ExportTable& m_exports;
  std::ostream& m_out;
  std::optional<int> m_currentConnection;
  std::string m_errorBeforeCommand;
  std::optional<std::string> m_marker;  // the known text while it stands in the slot
  int m_debugFlag = 0;
};

// Loads one export or returns false from the calling command.
#define QHOST_REQUIRE(session, variable, name)                        \
  const auto variable = (session).Require(&ExportTable::name, #name); \
  if (variable == nullptr) return false

}  // namespace qhost
