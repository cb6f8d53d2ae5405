#include "grid_tools.h"

#include <stdexcept>

#include "grid_from_csv.h"
#include "grid_printing.h"

namespace qhost {

void ConvertCsvFile(const GridLayout& layout, const std::string& csvPath,
                    const std::string& gridPath, std::ostream& out) {
  const std::size_t rows = ConvertCsvToGrid(layout, csvPath, gridPath);
  out << "wrote " << gridPath << ": " << layout.kind << " file, " << rows
      << (rows == 1 ? " row" : " rows") << " from " << csvPath << "\n";
}

const std::vector<GridToolOption>& GridToolOptions() {
  static const std::vector<GridToolOption> options{
      {"csv2datasheet", 2, "CSVFILE GRIDFILE"},
      {"csv2bindtable", 2, "CSVFILE GRIDFILE"},
      {"grid", 1, "FILE"},
  };
  return options;
}

int RunGridTool(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  try {
    const std::string& tool = words.at(0);
    if (tool == "csv2datasheet") {
      ConvertCsvFile(DatasheetLayout(), words.at(1), words.at(2), out);
    } else if (tool == "csv2bindtable") {
      ConvertCsvFile(BindTableLayout(), words.at(1), words.at(2), out);
    } else if (tool == "grid") {
      PrintGridFile(words.at(1), out);
    } else {
      throw std::logic_error("no grid tool " + tool);
    }
  } catch (const std::runtime_error& e) {
    out.flush();
    err << "qhost: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace qhost
