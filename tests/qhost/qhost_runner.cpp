#include "qhost_runner.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qhost::test {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qhost-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

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
  std::string command = "cd " + ShellQuoted(folder.Path()) + " && " + ShellQuoted(QHOST_PATH);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command +=
      " < " + ShellQuoted(inputFile) + " > " + ShellQuoted(outFile) + " 2> " + ShellQuoted(errFile);
  const int status = std::system(command.c_str());
  QhostRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
  void* library = dlopen(QUORLIN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  const bool found = dlsym(library, name) != nullptr;
  dlclose(library);
  return found;
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
