#include "grid_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "file_writing.h"

namespace qhost {

namespace {

void AppendInt(std::string& bytes, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    bytes += static_cast<char>((bits >> shift) & 0xFF);
  }
}

std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  }
  return static_cast<std::int32_t>(bits);
}

std::string GridBytes(int columns, const std::vector<GridRow>& rows) {
  std::string bytes;
  AppendInt(bytes, static_cast<std::int32_t>(rows.size()));
  AppendInt(bytes, columns);
  for (const GridRow& row : rows) {
    if (row.size() != static_cast<std::size_t>(columns)) {
      throw std::logic_error("grid row with the wrong number of cells");
    }
    for (const GridCell& cell : row) {
      if (cell.text.size() >= kGridTextSize) {
        throw std::runtime_error("'" + cell.text + "' is longer than 63 characters");
      }
      std::string text = cell.text;
      text.resize(kGridTextSize, '\0');
      bytes += text;
      AppendInt(bytes, cell.value);
    }
  }
  return bytes;
}

std::uint64_t FileSize(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    throw std::runtime_error("cannot open " + path + (error ? ": " + error.message() : ""));
  }
  if (!std::filesystem::is_regular_file(status)) throw std::runtime_error(path + " is not a file");
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw std::runtime_error("cannot read " + path + ": " + error.message());
  return size;
}

std::string ReadPrefix(const std::string& path, std::uint64_t size) {
  std::ifstream file(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file || !file.read(bytes.data(), static_cast<std::streamsize>(size))) {
    throw std::runtime_error("cannot read " + path);
  }
  return bytes;
}

// The bytes the counts promise, refusing counts the file cannot hold before multiplying, so
// that no product overflows and nothing is allocated from a count alone.
std::uint64_t BytesNeeded(const std::string& path, std::uint64_t size, std::int32_t rows,
                          std::int32_t columns) {
  if (rows < 1) {
    throw std::runtime_error(path + ": row count " + std::to_string(rows) +
                             ", but a grid file has at least its caption row");
  }
  if (columns < 1) {
    throw std::runtime_error(path + ": column count " + std::to_string(columns) +
                             ", but a grid file has at least one column");
  }
  const auto cells = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns);
  const std::uint64_t cellsHeld = (size - kGridHeaderSize) / kGridCellSize;
  if (cells > cellsHeld) {
    const std::uint64_t mostCells = (UINT64_MAX - kGridHeaderSize) / kGridCellSize;
    throw std::runtime_error(
        path + ": " + std::to_string(size) + " bytes, but " + std::to_string(rows) + " rows of " +
        std::to_string(columns) + " cells need " +
        (cells > mostCells ? "more than any file holds"
                           : std::to_string(kGridHeaderSize + cells * kGridCellSize)));
  }
  return kGridHeaderSize + cells * kGridCellSize;
}

}  // namespace

void WriteGridFile(const std::string& path, int columns, const std::vector<GridRow>& rows) {
  WriteWholeFile(path, GridBytes(columns, rows));
}

GridContents ReadGridFile(const std::string& path) {
  const std::uint64_t size = FileSize(path);
  if (size < kGridHeaderSize) {
    throw std::runtime_error(path + ": " + std::to_string(size) +
                             " bytes, shorter than its two counts (8 bytes)");
  }
  const std::string header = ReadPrefix(path, kGridHeaderSize);
  GridContents grid;
  const std::int32_t rowCount = IntAt(header, 0);
  grid.columns = IntAt(header, 4);
  const std::uint64_t needed = BytesNeeded(path, size, rowCount, grid.columns);
  grid.trailingBytes = size - needed;
  const std::string bytes = ReadPrefix(path, needed);
  grid.rows.resize(static_cast<std::size_t>(rowCount));
  std::size_t offset = kGridHeaderSize;
  for (GridRow& row : grid.rows) {
    for (int c = 0; c < grid.columns; ++c, offset += kGridCellSize) {
      const std::string text = bytes.substr(offset, kGridTextSize);
      row.push_back({text.substr(0, text.find('\0')), IntAt(bytes, offset + kGridTextSize)});
    }
  }
  return grid;
}

}  // namespace qhost
