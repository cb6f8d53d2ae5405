#include "qhost_runner.h"

#include <clocale>
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
                  const std::string& input, bool withLibrary,
                  const std::vector<EnvironmentSetting>& environment) {
  if (withLibrary) arguments.insert(arguments.begin(), {"--library", LibraryPath()});
  const std::string inputFile = folder.Write(".qhost-input", input);
  const std::string outFile = folder.File(".qhost-out");
  const std::string errFile = folder.File(".qhost-err");
  QhostRun run;
  run.status =
      RunProgram(folder.Path(), QHOST_PATH, arguments, inputFile, outFile, errFile, environment);
  run.out = ReadFile(outFile);
  run.err = ReadFile(errFile);
  return run;
}

QhostRun RunScript(const TempFolder& folder, const std::string& script) {
  return RunQhost(folder, {folder.Write("script.qh", script)});
}

QhostRun RunScriptWith(const TempFolder& folder, const std::string& library,
                       const std::string& script,
                       const std::vector<EnvironmentSetting>& environment) {
  return RunQhost(folder, {"--library", library, folder.Write("script.qh", script)}, "", false,
                  environment);
}

std::vector<EnvironmentSetting> LocaleEnvironment(const std::string& name) {
  std::vector<EnvironmentSetting> settings{{"LANG", name}, {"LC_ALL", ""}, {"LANGUAGE", ""}};
  for (const char* category :
       {"LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES"}) {
    settings.push_back({category, ""});
  }
  return settings;
}

bool LocaleInstalled(const char* name) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const bool installed = std::setlocale(LC_ALL, name) != nullptr;
  std::setlocale(LC_ALL, previous.c_str());
  return installed;
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
