#include "grid_printing.h"

#include <vector>

#include "grid_file.h"
#include "grid_layout.h"
#include "table_printer.h"

namespace qhost {

namespace {

std::vector<std::string> Header(int columns, const GridLayout* layout) {
  std::vector<std::string> header{"row"};
  for (int c = 0; c < columns; ++c) {
    header.push_back(std::to_string(c) + (layout != nullptr
                                              ? std::string(" ") + layout->columns[c].title
                                              : std::string()));
  }
  return header;
}

std::string Summary(const GridContents& grid, const GridLayout* layout) {
  const std::size_t dataRows = grid.rows.size() - 1;
  std::string summary = "(" + std::to_string(dataRows) + " data row" + (dataRows == 1 ? "" : "s") +
                        " of " + std::to_string(grid.columns) + " columns: ";
  summary += layout != nullptr ? std::string("laid out as a ") + layout->kind + " file"
                               : std::string("neither a datasheet nor a bind-table file");
  if (grid.trailingBytes > 0) {
    summary += "; " + std::to_string(grid.trailingBytes) +
               " bytes after the last cell, which the library does not read";
  }
  return summary + ")";
}

}  // namespace

void PrintGridFile(const std::string& path, std::ostream& out) {
  const GridContents grid = ReadGridFile(path);
  const GridLayout* layout = LayoutWithColumns(grid.columns);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t r = 0; r < grid.rows.size(); ++r) {
    rows.push_back({r == 0 ? "caption" : std::to_string(r)});
    for (const GridCell& cell : grid.rows[r]) {
      rows.back().push_back("\"" + cell.text + "\" " + std::to_string(cell.value));
    }
  }
  PrintTable(Header(grid.columns, layout), rows, out);
  out << Summary(grid, layout) << "\n";
}

}  // namespace qhost
