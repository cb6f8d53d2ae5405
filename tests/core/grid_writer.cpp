#include "grid_writer.h"

#include <cstring>
#include <fstream>

namespace quorlin::test {
namespace {

void PutInt(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

}  // namespace

std::string GridBytes(std::int32_t rowCount, std::int32_t columnCount,
                      const std::vector<Row>& rows) {
  std::string out;
  PutInt(out, rowCount);
  PutInt(out, columnCount);
  for (const Row& row : rows) {
    for (const Cell& cell : row) {
      char text[64] = {0};
      std::memcpy(text, cell.text.data(), cell.text.size() < 64 ? cell.text.size() : 64);
      out.append(text, sizeof text);
      PutInt(out, cell.value);
    }
  }
  return out;
}

std::string GridBytes(const std::vector<Row>& rows) {
  return GridBytes(static_cast<std::int32_t>(rows.size()),
                   rows.empty() ? 0 : static_cast<std::int32_t>(rows[0].size()), rows);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Row DatasheetRow(const std::string& name, std::int32_t type, const std::string& width,
                 std::int32_t extraB, std::int32_t extraA) {
  return {{"ignored", 99}, {name, 0}, {"", type}, {width, 0}, {"", extraB}, {"", extraA}};
}

Row BindRow(const std::string& name, std::int32_t type, const std::string& detail) {
  return {{"ignored", 99}, {name, 0}, {"", type}, {detail, 0}};
}

Row CaptionRow(std::size_t columns) {
  Row row;
  for (std::size_t c = 0; c < columns; ++c) row.push_back({"Caption", 7});
  return row;
}

}  // namespace quorlin::test
