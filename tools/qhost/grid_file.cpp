#include "grid_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

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

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

void WriteGridFile(const std::string& path, int columns, const std::vector<GridRow>& rows) {
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
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::vector<GridRow> ReadGridFile(const std::string& path, int& columns) {
  const std::string bytes = ReadAll(path);
  if (bytes.size() < 8) throw std::runtime_error(path + ": shorter than its two counts");
  const std::int32_t rowCount = IntAt(bytes, 0);
  columns = IntAt(bytes, 4);
  if (rowCount < 1 || columns < 1) {
    throw std::runtime_error(path + ": counts " + std::to_string(rowCount) + " rows, " +
                             std::to_string(columns) + " columns");
  }
  const auto rows = static_cast<std::uint64_t>(rowCount);
  const auto cells = rows * static_cast<std::uint64_t>(columns);
  if (bytes.size() != 8 + cells * kGridCellSize) {
    throw std::runtime_error(path + ": " + std::to_string(bytes.size()) + " bytes, but " +
                             std::to_string(rowCount) + " rows of " + std::to_string(columns) +
                             " cells need " + std::to_string(8 + cells * kGridCellSize));
  }
  std::vector<GridRow> grid(rows);
  std::size_t offset = 8;
  for (GridRow& row : grid) {
    for (int c = 0; c < columns; ++c, offset += kGridCellSize) {
      const std::string text = bytes.substr(offset, kGridTextSize);
      row.push_back({text.substr(0, text.find('\0')), IntAt(bytes, offset + kGridTextSize)});
    }
  }
  return grid;
}

}  // namespace qhost
