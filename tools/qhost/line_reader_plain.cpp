#include <iostream>

#include "line_reader.h"

namespace qhost {

// Built where GNU readline is not (Windows): a terminal gets plain lines with a prompt.
std::unique_ptr<LineReader> MakeTerminalLineReader(std::vector<std::string>) {
  return MakeStreamLineReader(std::cin, true);
}

}  // namespace qhost
