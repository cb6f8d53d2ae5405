#include "options.h"

#include <iostream>
#include <stdexcept>

#include "grid_tools.h"
#include "library_loader.h"
#include "quorlin.h"

namespace qhost {

namespace {

const GridToolOption* FindGridTool(const std::string& argument) {
  for (const GridToolOption& tool : GridToolOptions()) {
    if (argument == std::string("--") + tool.option) return &tool;
  }
  return nullptr;
}

// Takes the option's arguments after position i into options.gridTool.
void TakeGridTool(const GridToolOption& tool, int argc, char** argv, int& i, Options& options) {
  const std::string option = std::string("--") + tool.option;
  if (!options.gridTool.empty()) {
    throw std::invalid_argument(option + ": only one grid tool runs at a time");
  }
  if (static_cast<std::size_t>(argc - i - 1) < tool.argumentCount) {
    throw std::invalid_argument(option + " needs " + tool.arguments);
  }
  options.gridTool.push_back(tool.option);
  for (std::size_t k = 0; k < tool.argumentCount; ++k) options.gridTool.push_back(argv[++i]);
}

std::string NamesJoined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " or ") + name;
  return joined;
}

}  // namespace

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (const GridToolOption* tool = FindGridTool(argument)) {
      TakeGridTool(*tool, argc, argv, i, options);
    } else if (argument == "--library" || argument == "-l") {
      if (i + 1 == argc) throw std::invalid_argument(argument + " needs a PATH");
      options.libraryPath = argv[++i];
    } else if (argument.rfind("--library=", 0) == 0) {
      options.libraryPath = argument.substr(std::string("--library=").size());
    } else if (argument == "--help" || argument == "-h") {
      options.showUsage = true;
    } else if (argument == "--version") {
      options.showVersion = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw std::invalid_argument("unknown option " + argument);
    } else {
      options.scripts.push_back(argument);
    }
  }
  if (!options.gridTool.empty() && !options.scripts.empty()) {
    throw std::invalid_argument("--" + options.gridTool.front() + " runs without scripts");
  }
  return options;
}

void PrintUsage(const char* program) {
  std::cout << "usage: " << program << " [--library PATH] [SCRIPT...]\n";
  for (const GridToolOption& tool : GridToolOptions()) {
    std::cout << "       " << program << " --" << tool.option << " " << tool.arguments << "\n";
  }
  std::cout << "       " << program << " --version | --help\n"
            << "\n"
            << "Loads the library (default: " << NamesJoined(LibraryFileNames())
            << " at the top of this build tree,\n"
            << "beside qhost, in ../lib, or where the system's loader finds it), then runs the\n"
            << "scripts in order, or reads commands from standard input when no script is\n"
            << "given. Type help for the commands.\n"
            << "Messages and dialogs follow the locale (LANG, LC_ALL).\n"
            << "\n"
            << "The grid-file tools need no library. --csv2datasheet writes a datasheet file\n"
            << "from CSV: a caption row, then one row per column of the table: label, name,\n"
            << "type code (0 FLOAT, 1 NUMERIC, 2 CHAR, 3 DATE), width, value, value.\n"
            << "--csv2bindtable writes a bind-table file: a caption row, then one row per\n"
            << "field: label, name, type code, detail. --grid prints any grid file.\n"
            << "\n"
            << "Exit status: 0 when everything ran as expected, 1 when a script stopped at an\n"
            << "unexpected result or a grid tool refused its input, 2 when the command line is\n"
            << "wrong or the library cannot be loaded.\n"
            << "\n"
            << "--version prints qhost's version, which is that of the library's header it was\n"
            << "built with (" << QUORLIN_VERSION << ").\n";
}

void PrintVersion() {
  std::cout << "qhost " << QUORLIN_VERSION << "\n";
}

}  // namespace qhost
