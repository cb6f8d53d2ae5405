// qhost: the sample host. It loads the library by path as any host does, then runs scripts or
// an interactive session with one command per export.
#include <clocale>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands.h"
#include "grid_tools.h"
#include "library_exports.h"
#include "library_loader.h"
#include "library_search.h"
#include "line_reader.h"
#include "options.h"
#include "script_runner.h"
#include "session.h"

namespace {

constexpr int kUnexpectedResult = 1;
constexpr int kCannotStart = 2;

int RunScripts(qhost::ScriptRunner& runner, const qhost::Session& session,
               const std::vector<std::string>& scripts) {
  for (const std::string& script : scripts) {
    if (!runner.RunFile(script)) return kUnexpectedResult;
    if (session.quitRequested) break;
  }
  return 0;
}

void RunInteractive(qhost::ScriptRunner& runner, const qhost::CommandSet& commands) {
  if (qhost::StdinIsTerminal()) {
    std::cout << "qhost: type help for the commands, quit to leave\n";
    auto reader = qhost::MakeTerminalLineReader(commands.Names());
    runner.RunInteractive(*reader, false);
  } else {
    auto reader = qhost::MakeStreamLineReader(std::cin, false);
    runner.RunInteractive(*reader, true);
  }
}

int Run(int argc, char** argv) {
  qhost::Options options;
  try {
    options = qhost::ParseOptions(argc, argv);
  } catch (const std::invalid_argument& e) {
    std::cerr << "qhost: " << e.what() << "\n";
    qhost::PrintUsage(argv[0]);
    return kCannotStart;
  }
  if (options.showUsage) {
    qhost::PrintUsage(argv[0]);
    return 0;
  }
  if (options.showVersion) {
    qhost::PrintVersion();
    return 0;
  }
  if (!options.gridTool.empty()) return qhost::RunGridTool(options.gridTool, std::cout, std::cerr);
  std::unique_ptr<qhost::SharedLibrary> library;
  try {
    library = qhost::LoadFirstOf(options.libraryPath.empty()
                                     ? qhost::DefaultLibraryCandidates()
                                     : std::vector<std::string>{options.libraryPath});
  } catch (const qhost::LibraryLoadError& e) {
    std::cerr << "qhost: cannot load the library: " << e.what() << "\n";
    return kCannotStart;
  }
  const qhost::ExportTable exports(*library);
  const qhost::CommandSet commands;
  qhost::Session session(exports, std::cout);
  qhost::ScriptRunner runner(session, commands);
  if (!options.scripts.empty()) return RunScripts(runner, session, options.scripts);
  RunInteractive(runner, commands);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // As any host that sets its locale: the library's messages and dialogs then follow the
  // user's language, and texts pass in the locale's character set. qhost's own numbers do
  // not follow it (value_format.h), so scripts and transcripts read the same everywhere.
  if (std::setlocale(LC_ALL, "") == nullptr) {
    std::cerr << "qhost: the locale that LANG or LC_* name is not installed here; "
                 "going on in the C locale\n";
  }
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "qhost: " << e.what() << "\n";
    return kCannotStart;
  }
}
