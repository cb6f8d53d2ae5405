#pragma once

#include <string>
#include <vector>

namespace qhost {

struct Options {
  std::string libraryPath;  // empty: the default place
  std::vector<std::string> scripts;
  // A grid-file tool to run instead of scripts, without the library: its name, then its
  // arguments ({"csv2datasheet", IN, OUT}); empty when none was asked for.
  std::vector<std::string> gridTool;
  bool showUsage = false;
  bool showVersion = false;
};

// Throws std::invalid_argument with the reason for a wrong command line.
Options ParseOptions(int argc, char** argv);

void PrintUsage(const char* program);

// "qhost 1.0.0": the version of the library's header that qhost was built with.
void PrintVersion();

}  // namespace qhost
