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
};

// Throws std::invalid_argument with the reason for a wrong command line.
Options ParseOptions(int argc, char** argv);

void PrintUsage(const char* program);

// Where the library is looked for without --library: the top of the build tree that holds
// this executable (build/tools/qhost/qhost beside build/libquorlin.so), then beside the
// executable, then an installed lib folder, and finally the dynamic loader's own search.
std::string DefaultLibraryPath();

}  // namespace qhost
