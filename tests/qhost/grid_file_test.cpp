#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid_bytes.h"
#include "qhost_runner.h"

namespace qhost::test {
namespace {

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

struct DamagedGrid {
  const char* name;
  std::string bytes;
  const char* fault;
};

// Each is refused before a cell is read: no table is printed, the fault is named.
std::vector<DamagedGrid> DamagedGrids() {
  return {
      {"empty.grid", "", "empty.grid: 0 bytes, shorter than its two counts"},
      {"cut-counts.grid", IntBytes(2) + std::string("\x04\0", 2),
       "cut-counts.grid: 6 bytes, shorter than its two counts"},
      {"no-rows.grid", GridBytes(0, 4, 4),
       "no-rows.grid: row count 0, but a grid file has at least its caption row"},
      {"negative-rows.grid", GridBytes(-3, 4, 4), "negative-rows.grid: row count -3"},
      {"no-columns.grid", GridBytes(2, 0, 0),
       "no-columns.grid: column count 0, but a grid file has at least one column"},
      {"negative-columns.grid", GridBytes(2, -4, 8), "negative-columns.grid: column count -4"},
      {"cut-cells.grid", GridBytes(3, 4, 11),
       "cut-cells.grid: 756 bytes, but 3 rows of 4 cells need 824"},
      {"rows-beyond.grid", GridBytes(1000000, 6, 6),
       "rows-beyond.grid: 416 bytes, but 1000000 rows of 6 cells need 408000008"},
      {"huge-counts.grid", GridBytes(0x7FFFFFFF, 0x7FFFFFFF, 2),
       "huge-counts.grid: 144 bytes, but 2147483647 rows of 2147483647 cells need more than "
       "any file holds"},
  };
}

TEST(GridFiles, DamagedFilesAreRefusedWithTheirFaultNamed) {
  TempFolder folder;
  for (const DamagedGrid& damaged : DamagedGrids()) {
    folder.Write(damaged.name, damaged.bytes);
    // From the command line, without a library: status 1, the reason on standard error.
    const QhostRun tool =
        RunQhost(folder, {"--library", "/no/such/library.so", "--grid", damaged.name}, "", false);
    EXPECT_EQ(tool.status, 1) << damaged.name;
    EXPECT_EQ(tool.out, "") << damaged.name;
    EXPECT_TRUE(ContainsInOrder(tool.err, {std::string("qhost: ") + damaged.fault})) << tool.err;
    // In a script: the command fails and the script stops.
    const QhostRun script = RunScript(folder, std::string("grid ") + damaged.name + "\necho no\n");
    EXPECT_EQ(script.status, 1) << damaged.name;
    EXPECT_TRUE(ContainsInOrder(script.out, {std::string("error: ") + damaged.fault}))
        << script.out;
    EXPECT_EQ(script.out.find("no\n"), std::string::npos) << script.out;
  }
}

TEST(GridFiles, AFolderOrAMissingFileIsNoGridFile) {
  TempFolder folder;
  folder.Write("sub/keep", "");
  const QhostRun missing = RunQhost(folder, {"--grid", "missing.grid"}, "", false);
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(ContainsInOrder(missing.err, {"qhost: cannot open missing.grid"})) << missing.err;
  const QhostRun folderGiven = RunQhost(folder, {"--grid", "sub"}, "", false);
  EXPECT_EQ(folderGiven.status, 1);
  EXPECT_TRUE(ContainsInOrder(folderGiven.err, {"qhost: sub is not a file"})) << folderGiven.err;
}

// The library reads only what the counts promise, so such a file still works; grid says so.
TEST(GridFiles, BytesAfterTheLastCellAreShownAsUnread) {
  TempFolder folder;
  folder.Write("tail.grid", GridBytes(2, 4, 8, "word") + "tail");
  const QhostRun run = RunQhost(folder, {"--grid", "tail.grid"}, "", false);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ContainsInOrder(
      run.out, {"row     | 0 label  | 1 field name | 2 type code | 3 detail\n",
                "caption | \"word\" 7 | \"word\" 7     | \"word\" 7    | \"word\" 7\n",
                "1       | \"word\" 7 |",
                "(1 data row of 4 columns: laid out as a bind-table file; 4 bytes after the last "
                "cell, which the library does not read)\n"}))
      << run.out;
}

// The library copies such a text up to the cell's end; grid shows all 64 bytes.
TEST(GridFiles, ACellTextWithoutATerminatorIsShownWhole) {
  TempFolder folder;
  const std::string full(64, 'x');
  folder.Write("full.grid", GridBytes(1, 1, 1, full));
  const QhostRun run = RunQhost(folder, {"--grid", "full.grid"}, "", false);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"\"" + full + "\" 7", "neither a datasheet nor a bind-table"}))
      << run.out;
}

}  // namespace
}  // namespace qhost::test
