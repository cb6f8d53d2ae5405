#include <dlfcn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <stdexcept>

#include "qhost_process.h"

namespace qhost::test {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qhost-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

int RunProgram(const std::string& folder, const std::string& program,
               const std::vector<std::string>& arguments, const std::string& inputFile,
               const std::string& outFile, const std::string& errFile,
               const std::vector<EnvironmentSetting>& environment) {
  std::string command = "cd " + ShellQuoted(folder) + " && ";
  for (const EnvironmentSetting& setting : environment) {
    command += setting.name + "=" + ShellQuoted(setting.value) + " ";
  }
  command += ShellQuoted(program);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command +=
      " < " + ShellQuoted(inputFile) + " > " + ShellQuoted(outFile) + " 2> " + ShellQuoted(errFile);
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool LibraryExports(const std::string& path, const char* name) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  const bool found = dlsym(library, name) != nullptr;
  dlclose(library);
  return found;
}

}  // namespace qhost::test
