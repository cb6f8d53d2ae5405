#include "schema/grid_file.h"

#include <cstring>

#include "platform/text.h"

namespace quorlin::schema {
namespace {

std::int32_t LittleEndian32(const unsigned char* bytes) {
  const std::uint32_t value =
      static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
      (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  std::int32_t result;
  std::memcpy(&result, &value, sizeof result);
  return result;
}

constexpr std::uint64_t kHeaderSize = 8;

}  // namespace

std::string GridCell::Text() const {
  return platform::FixedFieldText(text, kTextSize);
}

bool GridFile::Open(const std::string& path) {
  if (!m_file.OpenForExclusiveRead(path)) return false;
  m_length = m_file.GetLength();
  return true;
}

void GridFile::ReadCounts() {
  unsigned char header[kHeaderSize];
  m_file.ReadExactly(header, sizeof header);
  m_rows = LittleEndian32(header);
  m_columns = LittleEndian32(header + 4);
}

bool GridFile::Holds(std::uint64_t dataRows) const {
  if (m_columns <= 0 || m_length < kHeaderSize || dataRows > kMaxDataRows) return false;
  const std::uint64_t rowSize = static_cast<std::uint64_t>(m_columns) * GridCell::kSize;
  // Divided, not multiplied: rows x columns x 68 can exceed 64 bits for counts a damaged
  // file may hold.
  return dataRows + 1 <= (m_length - kHeaderSize) / rowSize;
}

void GridFile::ReadRow(std::vector<GridCell>& row) {
  const std::size_t columns = static_cast<std::size_t>(m_columns);
  // One read per row: the readers run on every insert and update through a bind table.
  m_rowBytes.resize(columns * GridCell::kSize);
  m_file.ReadExactly(m_rowBytes.data(), m_rowBytes.size());
  row.resize(columns);
  for (std::size_t c = 0; c < columns; ++c) {
    const unsigned char* cell = m_rowBytes.data() + c * GridCell::kSize;
    std::memcpy(row[c].text, cell, GridCell::kTextSize);
    row[c].value = LittleEndian32(cell + GridCell::kTextSize);
  }
}

}  // namespace quorlin::schema
