#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qhost {

// Where interactive commands come from.
class LineReader {
 public:
  virtual ~LineReader() = default;
  // The next line without its line end, or nothing at the end of input.
  virtual std::optional<std::string> ReadLine(const std::string& prompt) = 0;
};

// Plain lines from a stream; the prompt is written only when `showPrompt` is set.
std::unique_ptr<LineReader> MakeStreamLineReader(std::istream& in, bool showPrompt);

// For a person at a terminal: line editing, history and command-name completion where GNU
// readline is built in, otherwise plain lines with a prompt.
std::unique_ptr<LineReader> MakeTerminalLineReader(std::vector<std::string> commandNames);

// Whether standard input is a terminal (the operating system is asked in terminal_<os>.cpp).
bool StdinIsTerminal();

}  // namespace qhost
