#include "options.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <system_error>

#include "library_loader.h"

namespace qhost {

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--library" || argument == "-l") {
      if (i + 1 == argc) throw std::invalid_argument(argument + " needs a PATH");
      options.libraryPath = argv[++i];
    } else if (argument.rfind("--library=", 0) == 0) {
      options.libraryPath = argument.substr(std::string("--library=").size());
    } else if (argument == "--help" || argument == "-h") {
      options.showUsage = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw std::invalid_argument("unknown option " + argument);
    } else {
      options.scripts.push_back(argument);
    }
  }
  return options;
}

void PrintUsage(const char* program) {
  std::cout << "usage: " << program << " [--library PATH] [SCRIPT...]\n"
            << "\n"
            << "Loads the library (default: " << DefaultLibraryFileName()
            << " at the top of this build tree, or where the\n"
            << "system's loader finds it), then runs the scripts in order, or reads commands\n"
            << "from standard input when no script is given. Type help for the commands.\n"
            << "\n"
            << "Exit status: 0 when everything ran as expected, 1 when a script stopped at an\n"
            << "unexpected result, 2 when the command line is wrong or the library cannot be\n"
            << "loaded.\n";
}

std::string DefaultLibraryPath() {
  namespace fs = std::filesystem;
  const std::string name = DefaultLibraryFileName();
  const std::string folder = ExecutableDirectory();
  if (!folder.empty()) {
    const fs::path executableFolder(folder);
    for (const fs::path& candidate :
         {executableFolder.parent_path().parent_path() / name, executableFolder / name,
          executableFolder.parent_path() / "lib" / name}) {
      std::error_code error;
      if (fs::is_regular_file(candidate, error)) return candidate.string();
    }
  }
  return name;
}

}  // namespace qhost
