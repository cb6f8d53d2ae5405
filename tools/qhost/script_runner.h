#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "commands.h"
#include "line_reader.h"
#include "session.h"

namespace qhost {

// Runs command lines: from script files, which stop at the first unexpected failure, and
// interactively, where every line runs whatever happened before.
//
// A line's first character may mark what its result should be:
//   -  ignore the result: the script goes on whether the command succeeds or fails;
//   !  expect a failure: the script goes on if the command fails and stops if it succeeds.
// Lines starting with # and blank lines are skipped. $scriptdir stands for the folder of the
// script that holds the line.
class ScriptRunner {
 public:
  ScriptRunner(Session& session, const CommandSet& commands);
  ScriptRunner(const ScriptRunner&) = delete;
  ScriptRunner& operator=(const ScriptRunner&) = delete;

  // Runs a script; false when it could not be read or a command failed unexpectedly.
  bool RunFile(const std::string& path);
  // Runs lines until the end of input or quit; `echo` repeats each line before its result so
  // that piped input gives a readable transcript.
  void RunInteractive(LineReader& reader, bool echo);

 private:
  enum class Outcome { kSkipped, kAsExpected, kUnexpected };

  Outcome RunLine(const std::string& line, bool echo);
  // Runs one command; false when it failed (it has printed why).
  bool RunCommand(const std::string& commandLine);
  // RunCommand, followed by the elapsed time when the timer was on before and after it (so
  // timer on and timer off print none).
  bool RunTimedCommand(const std::string& commandLine);
  std::filesystem::path ResolveScriptPath(const std::string& path) const;
  // The line with every $scriptdir replaced by the folder of the running script (. when
  // commands come from standard input), so that a script finds the files kept beside it
  // wherever it is run from.
  std::string WithScriptFolder(const std::string& command) const;

  Session& m_session;
  const CommandSet& m_commands;
  // The folders of the scripts being run, innermost last, for relative source paths.
  std::vector<std::filesystem::path> m_scriptFolders;
};

}  // namespace qhost
