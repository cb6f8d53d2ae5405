#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "grid_bytes.h"
#include "qhost_runner.h"

namespace qhost::test {
namespace {

// The grid tools run from the command line without loading the library at all.
QhostRun RunTool(const TempFolder& folder, const std::vector<std::string>& arguments) {
  std::vector<std::string> withoutLibrary{"--library", "/no/such/library.so"};
  withoutLibrary.insert(withoutLibrary.end(), arguments.begin(), arguments.end());
  return RunQhost(folder, withoutLibrary, "", false);
}

const std::string kDatasheetCsv =
    "No.,Name,Type,Width,Extra A,Extra B\n"
    "1,Tag,2,20,,\n"
    "2,\"Level, in bar\",0,, 4 ,-5\n"
    "3,Stamp,3,,0,0\n";

TEST(CsvConversion, ADatasheetCsvBecomesSixColumnCellsOfTextsAndValues) {
  TempFolder folder;
  folder.Write("log.csv", kDatasheetCsv);
  const QhostRun run = RunTool(folder, {"--csv2datasheet", "log.csv", "log.ds"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "wrote log.ds: datasheet file, 3 rows from log.csv\n");
  const std::string bytes = ReadFile(folder.File("log.ds"));
  ASSERT_EQ(bytes.size(), 8u + 4 * 6 * 68);
  EXPECT_EQ(IntAt(bytes, 0), 4);
  EXPECT_EQ(IntAt(bytes, 4), 6);
  EXPECT_EQ(TextAt(bytes, 0, 4, 6), "Extra A");  // the caption row keeps texts only
  EXPECT_EQ(ValueAt(bytes, 0, 2, 6), 0);
  EXPECT_EQ(TextAt(bytes, 1, 0, 6), "1");
  EXPECT_EQ(TextAt(bytes, 1, 1, 6), "Tag");
  EXPECT_EQ(TextAt(bytes, 1, 2, 6), "");  // a type code is a value, its text stays empty
  EXPECT_EQ(ValueAt(bytes, 1, 2, 6), 2);
  EXPECT_EQ(TextAt(bytes, 1, 3, 6), "20");  // a width is a text
  EXPECT_EQ(ValueAt(bytes, 1, 3, 6), 0);
  EXPECT_EQ(ValueAt(bytes, 1, 4, 6), 0);  // empty numbers are 0
  EXPECT_EQ(TextAt(bytes, 2, 1, 6), "Level, in bar");
  EXPECT_EQ(ValueAt(bytes, 2, 4, 6), 4);
  EXPECT_EQ(ValueAt(bytes, 2, 5, 6), -5);
  EXPECT_EQ(ValueAt(bytes, 3, 2, 6), 3);
}

TEST(CsvConversion, CsvToGridToPrintKeepsEveryField) {
  TempFolder folder;
  folder.Write("fields.csv",
               "No.,\"Field, name\",Type,Detail\n"
               "1,Tag,2,\"the point, \"\"as tagged\"\"\"\n"
               "2,Level,0,\n");
  const QhostRun converted = RunTool(folder, {"--csv2bindtable", "fields.csv", "fields.bt"});
  ASSERT_EQ(converted.status, 0) << converted.err;
  const QhostRun shown = RunTool(folder, {"--grid", "fields.bt"});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out,
            "row     | 0 label | 1 field name    | 2 type code | 3 detail\n"
            "--------+---------+-----------------+-------------+---------------------------\n"
            "caption | \"No.\" 0 | \"Field, name\" 0 | \"Type\" 0    | \"Detail\" 0\n"
            "1       | \"1\" 0   | \"Tag\" 0         | \"\" 2        | "
            "\"the point, \"as tagged\"\" 0\n"
            "2       | \"2\" 0   | \"Level\" 0       | \"\" 0        | \"\" 0\n"
            "(2 data rows of 4 columns: laid out as a bind-table file)\n");
}

// The shell commands and the command-line options write the same bytes, and the library
// builds its table and records from them.
TEST(CsvConversion, ConvertedFilesServeTheLibrary) {
  TempFolder folder;
  folder.Write("log.csv", kDatasheetCsv);
  folder.Write("log-fields.csv", "No.,Field,Type,Detail\n1,Tag,2,\n3,Stamp,3,\n");
  const QhostRun run = RunScript(folder,
                                 "csv2datasheet log.csv log.ds\n"
                                 "csv2bindtable log-fields.csv log.bt\n"
                                 "connect Driver=SQLite3;Database=log.db\n"
                                 "createtable Log log.ds\n"
                                 "insert Log log.bt T1 2024-03-01\n"
                                 "select Log\n"
                                 "get Tag \"Level, in bar\" Stamp\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"wrote log.ds: datasheet file, 3 rows from log.csv\n",
                                "wrote log.bt: bind-table file, 2 rows from log-fields.csv\n",
                                "Tag = \"T1\"\nLevel, in bar = \"\"\nStamp = \"2024-03-01\"\n"}))
      << run.out;
  ASSERT_EQ(RunTool(folder, {"--csv2datasheet", "log.csv", "tool.ds"}).status, 0);
  EXPECT_EQ(ReadFile(folder.File("tool.ds")), ReadFile(folder.File("log.ds")));
}

TEST(CsvConversion, CrlfLinesEmptyLinesAndAByteOrderMarkAreRead) {
  TempFolder folder;
  folder.Write("win.csv", "\xEF\xBB\xBFNo.,Field,Type,Detail\r\n\r\n1,Tag,2,x\r\n\r\n2,Level,0,y");
  ASSERT_EQ(RunTool(folder, {"--csv2bindtable", "win.csv", "win.bt"}).status, 0);
  const std::string bytes = ReadFile(folder.File("win.bt"));
  ASSERT_EQ(bytes.size(), 8u + 3 * 4 * 68);
  EXPECT_EQ(TextAt(bytes, 0, 0, 4), "No.");
  EXPECT_EQ(TextAt(bytes, 1, 3, 4), "x");
  EXPECT_EQ(TextAt(bytes, 2, 3, 4), "y");
}

struct RefusedCsv {
  const char* what;
  std::string csv;
  std::string reason;
};

std::vector<RefusedCsv> RefusedBindTableCsvs() {
  const std::string caption = "No.,Field,Type,Detail\n";
  return {
      {"a row too short", caption + "1,Tag,2,\n2,Level,0\n",
       "in.csv:3: 3 fields, but a bind-table row has 4: label, field name, type code, detail"},
      {"a caption too long", "No.,Field,Type,Detail,More\n",
       "in.csv:1: 5 fields, but a bind-table row has 4"},
      {"a name of 64 bytes", caption + "1," + std::string(64, 'n') + ",2,\n",
       "in.csv:2: field 2 (field name) is 64 bytes; a grid cell holds at most 63"},
      {"a type name", caption + "1,Tag,char,\n",
       "in.csv:2: field 3 (type code) 'char' is not a whole number (0 FLOAT, 1 NUMERIC, 2 CHAR, "
       "3 DATE)"},
      {"an empty type", caption + "1,Tag,,\n", "in.csv:2: field 3 (type code) '' is not a whole"},
      {"a type beyond DATE", caption + "1,Tag,4,\n",
       "in.csv:2: field 3 (type code) 4 is none of 0 FLOAT"},
      {"an empty name", caption + "1,,2,\n", "in.csv:2: field 2 (field name) is empty"},
      {"a name with a blank", caption + "1, Tag,2,\n",
       "in.csv:2: field 2 (field name) ' Tag' starts or ends with a blank"},
      {"a name twice", caption + "1,Tag,2,\n2,Level,0,\n3,TAG,2,\n",
       "in.csv:4: field 2 (field name) 'TAG' is named on line 2 already"},
      {"an open quote", caption + "1,Tag,2,\"open\n2,Level,0,\n",
       "in.csv:2: a quoted field is not closed"},
      {"text after a quote", caption + "1,\"Tag\"x,2,\n",
       "in.csv:2: text after the closing quote of a field"},
      {"a bare quote", caption + "1,Ta\"g,2,\n", "in.csv:2: a double quote inside an unquoted"},
      {"no caption", "\n\n", "in.csv: no caption row"},
  };
}

// Nothing is written for refused input: a file already there keeps its bytes.
TEST(CsvConversion, RefusedCsvNamesTheLineAndLeavesTheGridFileAlone) {
  TempFolder folder;
  for (const RefusedCsv& refused : RefusedBindTableCsvs()) {
    folder.Write("in.csv", refused.csv);
    folder.Write("out.bt", "kept");
    const QhostRun tool = RunTool(folder, {"--csv2bindtable", "in.csv", "out.bt"});
    EXPECT_EQ(tool.status, 1) << refused.what;
    EXPECT_TRUE(ContainsInOrder(tool.err, {"qhost: " + refused.reason}))
        << refused.what << ": " << tool.err;
    EXPECT_EQ(ReadFile(folder.File("out.bt")), "kept") << refused.what;

    const QhostRun script = RunScript(folder, "csv2bindtable in.csv out.bt\necho not reached\n");
    EXPECT_EQ(script.status, 1) << refused.what;
    EXPECT_TRUE(ContainsInOrder(script.out, {"error: " + refused.reason}))
        << refused.what << ": " << script.out;
  }
}

TEST(CsvConversion, DatasheetWidthsAreDigitsAndCharColumnsNeedOne) {
  TempFolder folder;
  const std::string caption = "No.,Name,Type,Width,A,B\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {caption + "1,Tag,2,,0,0\n",
       "in.csv:2: field 4 (width): a CHAR column needs a width of at least 1"},
      {caption + "1,Tag,2,0,0,0\n", "in.csv:2: field 4 (width): a CHAR column needs a width"},
      {caption + "1,Tag,2,8 chars,0,0\n",
       "in.csv:2: field 4 (width) '8 chars' is not a width in decimal digits"},
      {caption + "1,Tag,2,8,x,0\n", "in.csv:2: field 5 (value) 'x' is not a whole number"},
      {caption + "1,Tag,2,8,0,99999999999\n",
       "in.csv:2: field 6 (value) '99999999999' is not a whole number"},
  };
  for (const auto& [csv, reason] : cases) {
    folder.Write("in.csv", csv);
    const QhostRun tool = RunTool(folder, {"--csv2datasheet", "in.csv", "out.ds"});
    EXPECT_EQ(tool.status, 1) << csv;
    EXPECT_TRUE(ContainsInOrder(tool.err, {"qhost: " + reason})) << tool.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.ds")));
}

TEST(CsvConversion, ToolOptionsWantTheirArgumentsAndNoScripts) {
  TempFolder folder;
  const QhostRun missing = RunTool(folder, {"--csv2datasheet", "only.csv"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(ContainsInOrder(missing.err, {"--csv2datasheet needs CSVFILE GRIDFILE"}))
      << missing.err;
  const QhostRun withScript = RunTool(folder, {"--grid", "a.grid", "script.qh"});
  EXPECT_EQ(withScript.status, 2);
  EXPECT_TRUE(ContainsInOrder(withScript.err, {"--grid runs without scripts"})) << withScript.err;
  const QhostRun twoTools = RunTool(folder, {"--grid", "a.grid", "--grid", "b.grid"});
  EXPECT_EQ(twoTools.status, 2);
  EXPECT_TRUE(ContainsInOrder(twoTools.err, {"only one grid tool runs at a time"})) << twoTools.err;
}

}  // namespace
}  // namespace qhost::test
