#include "table_printer.h"

#include <algorithm>
#include <cstddef>

namespace qhost {

namespace {

// Columns line up on a terminal for UTF-8 text too: continuation bytes take no place.
std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

void PrintRow(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths,
              std::ostream& out) {
  std::string line;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::string cell = i < cells.size() ? cells[i] : std::string();
    if (i > 0) line += " | ";
    line += cell;
    if (i + 1 < widths.size()) line += std::string(widths[i] - DisplayWidth(cell), ' ');
  }
  out << line << "\n";
}

}  // namespace

void PrintTable(const std::vector<std::string>& header,
                const std::vector<std::vector<std::string>>& rows, std::ostream& out) {
  std::vector<std::size_t> widths;
  for (const std::string& title : header) widths.push_back(DisplayWidth(title));
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
      widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
  }
  PrintRow(header, widths, out);
  std::string rule;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    rule += (i > 0 ? "-+-" : "") + std::string(widths[i], '-');
  }
  out << rule << "\n";
  for (const auto& row : rows) PrintRow(row, widths, out);
}

}  // namespace qhost
