#include <iostream>

#include "line_reader.h"

namespace qhost {

namespace {

class StreamLineReader : public LineReader {
 public:
  StreamLineReader(std::istream& in, bool showPrompt) : m_in(in), m_showPrompt(showPrompt) {}

  std::optional<std::string> ReadLine(const std::string& prompt) override {
    if (m_showPrompt) std::cout << prompt << std::flush;
    std::string line;
    if (!std::getline(m_in, line)) return std::nullopt;
    // Scripts written on Windows end their lines with a carriage return.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  std::istream& m_in;
  bool m_showPrompt;
};

}  // namespace

std::unique_ptr<LineReader> MakeStreamLineReader(std::istream& in, bool showPrompt) {
  return std::make_unique<StreamLineReader>(in, showPrompt);
}

}  // namespace qhost
