#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::test {

// One cell of a hand-made grid file.
struct Cell {
  std::string text;  // up to 64 bytes; exactly 64 leaves no terminator
  std::int32_t value = 0;
};
using Row = std::vector<Cell>;

// The bytes of a grid file with the given counts and rows (the counts need not match them).
std::string GridBytes(std::int32_t rowCount, std::int32_t columnCount,
                      const std::vector<Row>& rows);
std::string GridBytes(const std::vector<Row>& rows);  // counts from the rows
void WriteFile(const std::string& path, const std::string& bytes);

// A datasheet row: name, type code, width text.
Row DatasheetRow(const std::string& name, std::int32_t type, const std::string& width,
                 std::int32_t extraB = 0, std::int32_t extraA = 0);
Row BindRow(const std::string& name, std::int32_t type, const std::string& detail = "");
Row CaptionRow(std::size_t columns);

}  // namespace quorlin::test
