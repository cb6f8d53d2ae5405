#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "grid_layout.h"

namespace qhost {

// Converts a CSV file into a grid file of the layout and says what it wrote. Throws with the
// reason (naming the CSV line) when the CSV is refused; then nothing is written.
void ConvertCsvFile(const GridLayout& layout, const std::string& csvPath,
                    const std::string& gridPath, std::ostream& out);

// The grid-file tools that run from the command line without loading the library:
// --csv2datasheet CSVFILE GRIDFILE, --csv2bindtable CSVFILE GRIDFILE, --grid FILE.
struct GridToolOption {
  const char* option;
  std::size_t argumentCount;
  const char* arguments;
};
const std::vector<GridToolOption>& GridToolOptions();

// Runs one of them: `words` is the option without its dashes, then its arguments. Returns
// the exit status: 0 when done, 1 when the input was refused (the reason on `err`).
int RunGridTool(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace qhost
