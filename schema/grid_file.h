#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

namespace quorlin::schema {

// One cell of a grid file: a 64-byte text (zero-terminated within its 64 bytes, or filling
// them) and a 32-bit value.
struct GridCell {
  static constexpr std::size_t kTextSize = 64;
  static constexpr std::size_t kSize = kTextSize + 4;
  char text[kTextSize];
  std::int32_t value;

  // The text up to its terminator, or all 64 bytes when there is none.
  std::string Text() const;
};

// The grid container of the datasheet and bind-table files: the row count R (the caption
// row included) and the column count N as little-endian 32-bit integers, then R x N cells
// row by row. The reader never reads beyond the file and never trusts a count that the
// file's length does not back.
class GridFile {
 public:
  // False when the file cannot be opened, is not a regular file, or another process holds it.
  bool Open(const std::string& path);
  // Reads R and N. Throws CFileException when the file is too short for them.
  void ReadCounts();
  std::int32_t RowCount() const { return m_rows; }
  std::int32_t ColumnCount() const { return m_columns; }
  // True when the file holds the caption row and dataRows data rows of the column count, and
  // dataRows is at most kMaxDataRows.
  bool Holds(std::uint64_t dataRows) const;
  // A grid describes the columns of one table, and no database has more than 32,767 of them.
  // Far more rows than that is a damaged count even when the file is long enough, for
  // instance a sparse file: loading it would need more memory than a host has.
  static constexpr std::uint64_t kMaxDataRows = 1u << 20;
  // Reads the next row into row. Throws CFileException when the file ends before it.
  void ReadRow(std::vector<GridCell>& row);

 private:
  platform::CFile m_file;
  std::uint64_t m_length = 0;
  std::int32_t m_rows = 0;
  std::int32_t m_columns = 0;
  std::vector<unsigned char> m_rowBytes;
};

}  // namespace quorlin::schema
