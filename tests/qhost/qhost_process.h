#pragma once

#include <string>
#include <vector>

// What running qhost needs of the system, one file per system.
namespace qhost::test {

// Makes a fresh folder that both the program and the database drivers can name.
std::string MakeTempFolder();

// An environment variable the program gets on top of the test's own environment; an empty
// value stands for one that is not set (the C library reads an empty LC_ALL as unset).
struct EnvironmentSetting {
  std::string name;
  std::string value;
};

// Runs the program with the arguments in the folder, standard input from one file and its
// output into two others; its exit status, or -1 when it did not end normally.
int RunProgram(const std::string& folder, const std::string& program,
               const std::vector<std::string>& arguments, const std::string& inputFile,
               const std::string& outFile, const std::string& errFile,
               const std::vector<EnvironmentSetting>& environment = {});

// Whether the library at path exports name.
bool LibraryExports(const std::string& library, const char* name);

}  // namespace qhost::test
