#pragma once

#include <cstdint>
#include <string>

namespace qhost::test {

// The grid container read and written here independently of qhost's own code: two
// little-endian counts, then cells of 64 text bytes and a little-endian value, row by row.
inline std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<unsigned char>(bytes.at(offset + i));
  }
  return static_cast<std::int32_t>(bits);
}

inline std::size_t CellOffset(int row, int column, int columns) {
  return 8 + (static_cast<std::size_t>(row) * columns + column) * 68;
}

inline std::string TextAt(const std::string& bytes, int row, int column, int columns) {
  const std::string cell = bytes.substr(CellOffset(row, column, columns), 64);
  return cell.substr(0, cell.find('\0'));
}

inline std::int32_t ValueAt(const std::string& bytes, int row, int column, int columns) {
  return IntAt(bytes, CellOffset(row, column, columns) + 64);
}

inline std::string IntBytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
  return bytes;
}

// A grid file's bytes: the counts, then `cells` cells holding `text` and the value 7.
inline std::string GridBytes(std::int32_t rows, std::int32_t columns, std::size_t cells,
                             const std::string& text = "cell") {
  std::string bytes = IntBytes(rows) + IntBytes(columns);
  for (std::size_t i = 0; i < cells; ++i) {
    std::string cell = text;
    cell.resize(64, '\0');
    bytes += cell + IntBytes(7);
  }
  return bytes;
}

}  // namespace qhost::test
