#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorlin::fuzz {

// The fuzz input read as the grid container lays it out, decoded here apart from the
// library's reader so that what the reader returns can be compared with the bytes: two
// little-endian 32-bit counts (rows with the caption row, columns), then cells of a 64-byte
// text and a little-endian 32-bit value, row by row.
class GridBytes {
 public:
  static constexpr std::size_t kHeaderSize = 8;
  static constexpr std::size_t kTextSize = 64;
  static constexpr std::size_t kCellSize = kTextSize + 4;

  GridBytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  std::size_t Size() const { return m_size; }
  bool HasCounts() const { return m_size >= kHeaderSize; }
  std::int32_t Rows() const { return IntAt(0); }
  std::int32_t Columns() const { return IntAt(4); }

  // True when the bytes after the counts hold rows whole rows of the column count.
  bool Backs(std::uint64_t rows) const {
    if (!HasCounts() || Columns() <= 0) return false;
    const std::uint64_t rowSize = static_cast<std::uint64_t>(Columns()) * kCellSize;
    return rows <= (m_size - kHeaderSize) / rowSize;
  }

  // The text of a cell up to its terminator, or all 64 bytes when it has none. The cell
  // must lie within the bytes (Backs).
  std::string Text(std::uint64_t row, int column) const {
    const char* text = reinterpret_cast<const char*>(m_data + CellOffset(row, column));
    std::size_t length = 0;
    while (length < kTextSize && text[length] != '\0') ++length;
    return std::string(text, length);
  }

  std::int32_t Value(std::uint64_t row, int column) const {
    return IntAt(CellOffset(row, column) + kTextSize);
  }

 private:
  std::size_t CellOffset(std::uint64_t row, int column) const {
    return kHeaderSize + static_cast<std::size_t>(row * static_cast<std::uint64_t>(Columns()) +
                                                  static_cast<std::uint64_t>(column)) *
                             kCellSize;
  }

  std::int32_t IntAt(std::size_t offset) const {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | m_data[offset + i];
    std::int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  const std::uint8_t* m_data;
  std::size_t m_size;
};

}  // namespace quorlin::fuzz
