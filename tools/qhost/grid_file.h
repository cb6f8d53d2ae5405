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
constexpr std::size_t kGridHeaderSize = 8;
constexpr int kDatasheetColumns = 6;
constexpr int kBindTableColumns = 4;

// Writes the caption row and the data rows; every row must have `columns` cells and every
// text fewer than 64 bytes. The file is written beside its place and then moved there, so a
// failure leaves an existing file as it was. Throws std::runtime_error with the reason.
void WriteGridFile(const std::string& path, int columns, const std::vector<GridRow>& rows);

struct GridContents {
  int columns = 0;
  std::vector<GridRow> rows;  // the caption row first
  // Bytes after the last cell: the library never reads them.
  std::uint64_t trailingBytes = 0;
};

// Reads a grid file. Refused with std::runtime_error, before anything is read beyond the
// counts: a file that is missing or no file, shorter than its two counts, with fewer than
// one row or column, or shorter than its counts need. A cell text without a terminator in
// its 64 bytes is kept whole, as the library reads it.
GridContents ReadGridFile(const std::string& path);

}  // namespace qhost
