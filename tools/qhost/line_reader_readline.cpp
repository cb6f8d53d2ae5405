#include <readline/history.h>
#include <readline/readline.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <utility>

#include "line_reader.h"

namespace qhost {

namespace {

// readline's completion callbacks take no user data, so the names they complete from are
// reached through this pointer, set while a ReadlineLineReader exists (there is one per
// process, since readline itself keeps one global state). The generator keeps its position
// between calls in a static for the same reason.
const std::vector<std::string>* g_completionNames = nullptr;

char* NextCommandName(const char* text, int state) {
  static std::size_t next = 0;
  if (state == 0) next = 0;
  const std::size_t length = std::strlen(text);
  while (g_completionNames != nullptr && next < g_completionNames->size()) {
    const std::string& name = (*g_completionNames)[next++];
    if (name.compare(0, length, text) == 0) return strdup(name.c_str());
  }
  return nullptr;
}

// The first word completes to a command name; later words to file names (scripts, grid files).
char** CompleteWord(const char* text, int start, int) {
  if (start != 0) return nullptr;
  rl_attempted_completion_over = 1;
  return rl_completion_matches(text, NextCommandName);
}

std::string HistoryPath() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? std::string(home) + "/.qhost_history" : std::string();
}

class ReadlineLineReader : public LineReader {
 public:
  explicit ReadlineLineReader(std::vector<std::string> commandNames)
      : m_commandNames(std::move(commandNames)), m_historyPath(HistoryPath()) {
    g_completionNames = &m_commandNames;
    rl_readline_name = "qhost";
    rl_attempted_completion_function = CompleteWord;
    using_history();
    if (!m_historyPath.empty()) read_history(m_historyPath.c_str());
  }

  ~ReadlineLineReader() override {
    if (!m_historyPath.empty()) {
      write_history(m_historyPath.c_str());
      history_truncate_file(m_historyPath.c_str(), kHistoryLines);
    }
    rl_attempted_completion_function = nullptr;
    g_completionNames = nullptr;
  }

  ReadlineLineReader(const ReadlineLineReader&) = delete;
  ReadlineLineReader& operator=(const ReadlineLineReader&) = delete;

  std::optional<std::string> ReadLine(const std::string& prompt) override {
    std::unique_ptr<char, decltype(&std::free)> line(readline(prompt.c_str()), &std::free);
    if (!line) {
      std::cout << "\n";
      return std::nullopt;
    }
    if (line.get()[0] != '\0') add_history(line.get());
    return std::string(line.get());
  }

 private:
  static constexpr int kHistoryLines = 1000;
  std::vector<std::string> m_commandNames;
  std::string m_historyPath;
};

}  // namespace

std::unique_ptr<LineReader> MakeTerminalLineReader(std::vector<std::string> commandNames) {
  return std::make_unique<ReadlineLineReader>(std::move(commandNames));
}

}  // namespace qhost
