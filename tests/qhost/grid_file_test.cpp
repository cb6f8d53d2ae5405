#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// The container layout, read here independently of qhost's own reader: two little-endian
// counts, then cells of 64 text bytes and a little-endian value, row by row.
std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<unsigned char>(bytes.at(offset + i));
  }
  return static_cast<std::int32_t>(bits);
}

std::size_t CellOffset(int row, int column, int columns) {
  return 8 + (static_cast<std::size_t>(row) * columns + column) * 68;
}

std::string TextAt(const std::string& bytes, int row, int column, int columns) {
  const std::string cell = bytes.substr(CellOffset(row, column, columns), 64);
  return cell.substr(0, cell.find('\0'));
}

std::int32_t ValueAt(const std::string& bytes, int row, int column, int columns) {
  return IntAt(bytes, CellOffset(row, column, columns) + 64);
}

TEST(GridFiles, ADatasheetHasSixColumnsNameTypeValueAndWidthText) {
  TempFolder folder;
  const QhostRun run =
      RunQhost(folder, {}, "datasheet staff.ds ID:numeric Name:char:20 Born:date\n");
  ASSERT_TRUE(ContainsInOrder(run.out, {"wrote staff.ds: 3 columns\n"})) << run.out;
  const std::string bytes = ReadFile(folder.File("staff.ds"));
  ASSERT_EQ(bytes.size(), 8u + 4 * 6 * 68);
  EXPECT_EQ(IntAt(bytes, 0), 4);
  EXPECT_EQ(IntAt(bytes, 4), 6);
  EXPECT_EQ(TextAt(bytes, 1, 1, 6), "ID");
  EXPECT_EQ(ValueAt(bytes, 1, 2, 6), 1);
  EXPECT_EQ(TextAt(bytes, 2, 1, 6), "Name");
  EXPECT_EQ(ValueAt(bytes, 2, 2, 6), 2);
  EXPECT_EQ(TextAt(bytes, 2, 3, 6), "20");
  EXPECT_EQ(TextAt(bytes, 3, 1, 6), "Born");
  EXPECT_EQ(ValueAt(bytes, 3, 2, 6), 3);
}

TEST(GridFiles, ABindTableFileHasFourColumnsNameTypeValueAndDetail) {
  TempFolder folder;
  const QhostRun run =
      RunQhost(folder, {}, "bindfile log.bt \"Tag:char:the point\" Level:float Code:9\n");
  ASSERT_TRUE(ContainsInOrder(run.out, {"wrote log.bt: 3 fields\n"})) << run.out;
  const std::string bytes = ReadFile(folder.File("log.bt"));
  ASSERT_EQ(bytes.size(), 8u + 4 * 4 * 68);
  EXPECT_EQ(IntAt(bytes, 0), 4);
  EXPECT_EQ(IntAt(bytes, 4), 4);
  EXPECT_EQ(TextAt(bytes, 1, 1, 4), "Tag");
  EXPECT_EQ(ValueAt(bytes, 1, 2, 4), 2);
  EXPECT_EQ(TextAt(bytes, 1, 3, 4), "the point");
  EXPECT_EQ(TextAt(bytes, 2, 1, 4), "Level");
  EXPECT_EQ(ValueAt(bytes, 2, 2, 4), 0);
  EXPECT_EQ(ValueAt(bytes, 3, 2, 4), 9);
}

TEST(GridFiles, GridShowsEveryCellAndRefusesAFileShorterThanItsCounts) {
  TempFolder folder;
  RunQhost(folder, {}, "bindfile log.bt Tag:char:label\n");
  const QhostRun shown = RunQhost(folder, {}, "grid log.bt\n");
  EXPECT_TRUE(
      ContainsInOrder(shown.out, {"caption", "\"Field\" 0", "\"Tag\" 0", "\"\" 2", "\"label\" 0"}))
      << shown.out;

  const std::string bytes = ReadFile(folder.File("log.bt"));
  folder.Write("short.bt", bytes.substr(0, bytes.size() - 10));
  const QhostRun refused = RunScript(folder, "grid short.bt\n");
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(ContainsInOrder(refused.out,
                              {"error: ", "short.bt: 542 bytes, but 2 rows of 4 cells need 552"}))
      << refused.out;
}

TEST(GridFiles, TextsThatDoNotFitACellAreRefused) {
  TempFolder folder;
  const QhostRun run = RunScript(folder, "datasheet long.ds " + std::string(64, 'n') + ":float\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.out, {"is longer than 63 characters"})) << run.out;
}

}  // namespace
}  // namespace qhost::test
