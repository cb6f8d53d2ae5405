#include "script_runner.h"

#include <chrono>
#include <exception>
#include <fstream>
#include <iostream>

#include "value_format.h"

namespace qhost {

namespace {

constexpr std::size_t kMostNestedScripts = 32;
constexpr char kPrompt[] = "qhost> ";
constexpr char kScriptFolderWord[] = "$scriptdir";

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  const std::size_t begin = text.find_first_not_of(blanks);
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

}  // namespace

ScriptRunner::ScriptRunner(Session& session, const CommandSet& commands)
    : m_session(session), m_commands(commands) {
  m_session.sourceScript = [this](const std::string& path) { return RunFile(path); };
  m_session.showHelp = [this](const std::string& topic) {
    PrintHelp(m_commands, topic, m_session.Out());
  };
}

std::filesystem::path ScriptRunner::ResolveScriptPath(const std::string& path) const {
  const std::filesystem::path script(path);
  if (script.is_absolute() || m_scriptFolders.empty()) return script;
  return m_scriptFolders.back() / script;
}

bool ScriptRunner::RunFile(const std::string& path) {
  const std::filesystem::path script = ResolveScriptPath(path);
  if (m_scriptFolders.size() >= kMostNestedScripts) {
    m_session.Out() << "scripts nested more than " << kMostNestedScripts
                    << " deep (does a script source itself?)\n";
    return false;
  }
  std::ifstream in(script);
  if (!in) {
    m_session.Out() << "cannot read script " << script.string() << "\n";
    return false;
  }
  m_scriptFolders.push_back(script.parent_path());
  auto reader = MakeStreamLineReader(in, false);
  bool succeeded = true;
  int lineNumber = 0;
  while (!m_session.quitRequested) {
    const std::optional<std::string> line = reader->ReadLine("");
    if (!line) break;
    ++lineNumber;
    if (RunLine(*line, true) == Outcome::kUnexpected) {
      std::cerr << "qhost: " << script.string() << ":" << lineNumber
                << ": stopped at an unexpected result\n";
      succeeded = false;
      break;
    }
  }
  m_scriptFolders.pop_back();
  return succeeded;
}

void ScriptRunner::RunInteractive(LineReader& reader, bool echo) {
  while (!m_session.quitRequested) {
    const std::optional<std::string> line = reader.ReadLine(kPrompt);
    if (!line) break;
    RunLine(*line, echo);
  }
}

std::string ScriptRunner::WithScriptFolder(const std::string& command) const {
  const std::string word(kScriptFolderWord);
  std::string folder =
      m_scriptFolders.empty() ? std::string() : m_scriptFolders.back().generic_string();
  if (folder.empty()) folder = ".";
  std::string expanded = command;
  for (std::size_t at = expanded.find(word); at != std::string::npos;
       at = expanded.find(word, at + folder.size())) {
    expanded.replace(at, word.size(), folder);
  }
  return expanded;
}

ScriptRunner::Outcome ScriptRunner::RunLine(const std::string& line, bool echo) {
  std::string command = Trimmed(line);
  if (command.empty() || command[0] == '#') return Outcome::kSkipped;
  // The transcript shows the line as written, so it reads the same from every folder.
  if (echo) m_session.Out() << kPrompt << command << "\n";
  command = WithScriptFolder(command);
  const char marker = command[0];
  if (marker == '-' || marker == '!') command = Trimmed(command.substr(1));
  const bool succeeded = RunTimedCommand(command);
  m_session.Out().flush();
  if (marker == '-') return Outcome::kAsExpected;
  if (marker == '!') {
    if (!succeeded) return Outcome::kAsExpected;
    m_session.Out() << "expected a failure, but the command succeeded\n";
    return Outcome::kUnexpected;
  }
  return succeeded ? Outcome::kAsExpected : Outcome::kUnexpected;
}

bool ScriptRunner::RunTimedCommand(const std::string& commandLine) {
  const bool timed = m_session.timerOn;
  const auto start = std::chrono::steady_clock::now();
  const bool succeeded = RunCommand(commandLine);
  if (timed && m_session.timerOn) {
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    m_session.Out() << "(" << FormatMilliseconds(elapsed.count()) << ")\n";
  }
  return succeeded;
}

bool ScriptRunner::RunCommand(const std::string& commandLine) {
  const Command* command = nullptr;
  try {
    Arguments arguments(commandLine);
    command = m_commands.Find(arguments.CommandName());
    if (command == nullptr) {
      m_session.Out() << "unknown command '" << arguments.CommandName()
                      << "' (help lists the commands)\n";
      return false;
    }
    m_session.BeginCommand();
    return command->run(m_session, arguments);
  } catch (const UsageError& e) {
    m_session.Out() << e.what() << "\n";
    if (command != nullptr) m_session.Out() << "usage: " << command->usage << "\n";
  } catch (const std::exception& e) {
    m_session.Out() << "error: " << e.what() << "\n";
  }
  return false;
}

}  // namespace qhost
