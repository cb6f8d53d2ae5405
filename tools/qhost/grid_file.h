#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qhost {

// The library's grid container, which datasheet and bind-table files share: two 32-bit
// little-endian counts (rows with the caption row, columns), then every cell row by row,
// each 64 bytes of zero-terminated text and a 32-bit little-endian value. The library only
// reads these files; qhost writes them so that hosts and tests can make their own.
struct GridCell {
  std::string text;
  std::int32_t value = 0;
};
using GridRow = std::vector<GridCell>;

constexpr std::size_t kGridTextSize = 64;
constexpr std::size_t kGridCellSize = kGridTextSize + 4;
constexpr int kDatasheetColumns = 6;
constexpr int kBindTableColumns = 4;

// Writes the caption row and the data rows; every row must have `columns` cells and every
// text fewer than 64 bytes. Throws std::runtime_error with the reason.
void WriteGridFile(const std::string& path, int columns, const std::vector<GridRow>& rows);

// Reads a whole grid file, the caption row first. A file shorter or longer than its counts
// say, or with a count below 1, is refused with std::runtime_error.
std::vector<GridRow> ReadGridFile(const std::string& path, int& columns);

}  // namespace qhost
