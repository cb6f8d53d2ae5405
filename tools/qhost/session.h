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
  // Remembers the last-error text before a command runs. Exports never clear it, and some
  // failures (a table not cached, an empty recordset) report nothing, so Failed can then
  // say that the text is an older one rather than pass it off as this failure's reason.
  void BeginCommand() { m_errorBeforeCommand = LastErrorText(); }
  // Prints a failed call's result value with the last-error text; always returns false so
  // that a command can end with `return session.Failed(result);`.
  bool Failed(long result);
  bool Succeeded();
  // True when the command left a new text in the last-error text (exports without a result
  // tell of their failures only there).
  bool ReportedSomething() const { return LastErrorText() != m_errorBeforeCommand; }

  std::optional<int> CurrentConnection() const { return m_currentConnection; }
  void SetCurrentConnection(std::optional<int> id) { m_currentConnection = id; }
  // Takes an optional leading connection id (a number or $id); without one the current
  // connection is meant, and having none is a usage error.
  int TakeConnectionId(Arguments& arguments);

  // Set by whoever runs the commands: runs a script for source, prints help.
  std::function<bool(const std::string& path)> sourceScript;
  std::function<void(const std::string& topic)> showHelp;
  bool quitRequested = false;

 private:
  const ExportTable& m_exports;
  std::ostream& m_out;
  std::optional<int> m_currentConnection;
  std::string m_errorBeforeCommand;
};

// Loads one export or returns false from the calling command.
#define QHOST_REQUIRE(session, variable, name)                        \
  const auto variable = (session).Require(&ExportTable::name, #name); \
  if (variable == nullptr) return false

}  // namespace qhost
