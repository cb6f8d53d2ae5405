#pragma once

#include <string>
#include <vector>

#include "qhost_process.h"

namespace qhost::test {

// What one run of the qhost binary left behind.
struct QhostRun {
  int status = -1;
  std::string out;
  std::string err;
};

// A folder of its own for each test, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  // Writes a file in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& content) const;

 private:
  std::string m_path;
};

// Runs qhost with the arguments in `folder`, feeding `input` to its standard input (a file,
// so that qhost sees no terminal). Without an explicit --library the built library is used.
QhostRun RunQhost(const TempFolder& folder, std::vector<std::string> arguments,
                  const std::string& input = "", bool withLibrary = true,
                  const std::vector<EnvironmentSetting>& environment = {});

// Runs a script written into the folder as script.qh.
QhostRun RunScript(const TempFolder& folder, const std::string& script);

// Runs a script written into the folder as script.qh with the library at `library`, in the
// environment given on top of the test's own.
QhostRun RunScriptWith(const TempFolder& folder, const std::string& library,
                       const std::string& script,
                       const std::vector<EnvironmentSetting>& environment = {});

// The settings that make a program take `name` as its whole locale, whatever the test's own
// environment says (LC_ALL and the single categories would take precedence over LANG).
std::vector<EnvironmentSetting> LocaleEnvironment(const std::string& name);

// Whether the locale exists on this machine. The locale tests fail, not skip, without it:
// the Debian package locales provides them once locale-gen has made them (see
// scripts/setup-debian.sh).
bool LocaleInstalled(const char* name);

// The built libraries, qhost and the examples folder, as CMake passed them in.
std::string LibraryPath();
std::string LegacyLibraryPath();
std::string ExamplesFolder();

// Whether the built library exports `name` (several exports arrive over time).
bool LibraryHas(const char* name);

// Whether every piece occurs in the text, each after the one before.
bool ContainsInOrder(const std::string& text, const std::vector<std::string>& pieces);

std::string ReadFile(const std::string& path);

}  // namespace qhost::test
