#include "qhost_runner.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "qhost_process.h"

namespace qhost::test {

TempFolder::TempFolder() : m_path(MakeTempFolder()) {}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& content) const {
  const std::filesystem::path path = File(name);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream whole;
  whole << in.rdbuf();
  return whole.str();
}

QhostRun RunQhost(const TempFolder& folder, std::vector<std::string> arguments,
                  const std::string& input, bool withLibrary) {
  if (withLibrary) arguments.insert(arguments.begin(), {"--library", LibraryPath()});
  const std::string inputFile = folder.Write(".qhost-input", input);
  const std::string outFile = folder.File(".qhost-out");
  const std::string errFile = folder.File(".qhost-err");
  QhostRun run;
  run.status = RunProgram(folder.Path(), QHOST_PATH, arguments, inputFile, outFile, errFile);
  run.out = ReadFile(outFile);
  run.err = ReadFile(errFile);
  return run;
}

QhostRun RunScript(const TempFolder& folder, const std::string& script) {
  return RunQhost(folder, {folder.Write("script.qh", script)});
}

std::string LibraryPath() {
  return QUORLIN_LIBRARY_PATH;
}
std::string LegacyLibraryPath() {
  return QUORLIN_LEGACY_LIBRARY_PATH;
}
std::string ExamplesFolder() {
  return QHOST_EXAMPLES_FOLDER;
}

bool LibraryHas(const char* name) {
  return LibraryExports(QUORLIN_LIBRARY_PATH, name);
}

bool ContainsInOrder(const std::string& text, const std::vector<std::string>& pieces) {
  std::size_t from = 0;
  for (const std::string& piece : pieces) {
    const std::size_t at = text.find(piece, from);
    if (at == std::string::npos) return false;
    from = at + piece.size();
  }
  return true;
}

}  // namespace qhost::test
