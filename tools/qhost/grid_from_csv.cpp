#include "grid_from_csv.h"

#include <algorithm>
#include <map>

#include "arguments.h"
#include "ascii_case.h"

namespace qhost {

namespace {

constexpr int kLargestTypeCode = 3;
constexpr std::size_t kMostWidthDigits = 9;
const char kTypeCodes[] = "0 FLOAT, 1 NUMERIC, 2 CHAR, 3 DATE";

std::string WithoutOuterBlanks(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// Checks the fields of one record against the layout; names seen so far are kept by their
// upper-case form, as databases compare identifiers, with the line that named them.
class RowChecker {
 public:
  RowChecker(const GridLayout& layout, const std::string& sourceName)
      : m_layout(layout), m_sourceName(sourceName) {}

  GridRow CaptionRow(const CsvRecord& record) {
    CheckFieldCount(record);
    GridRow row;
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      row.push_back({CheckedText(record, i), 0});
    }
    return row;
  }

  GridRow DataRow(const CsvRecord& record) {
    CheckFieldCount(record);
    GridRow row;
    int typeCode = -1;
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      const CellRole role = m_layout.columns[i].role;
      if (IsValueRole(role)) {
        row.push_back({"", WholeNumber(record, i)});
        if (role == CellRole::kTypeCode) typeCode = CheckedTypeCode(record, i, row.back().value);
      } else {
        row.push_back({CheckedText(record, i), 0});
        if (role == CellRole::kName) CheckName(record, i);
      }
    }
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      if (m_layout.columns[i].role == CellRole::kWidth) CheckWidth(record, i, typeCode);
    }
    return row;
  }

 private:
  [[noreturn]] void Fail(const CsvRecord& record, const std::string& what) const {
    throw GridCsvError(m_sourceName + ":" + std::to_string(record.line) + ": " + what);
  }

  // "field 2 (name)": fields count from 1, as a spreadsheet's columns do.
  std::string FieldName(std::size_t index) const {
    return "field " + std::to_string(index + 1) + " (" + m_layout.columns[index].title + ")";
  }

  void CheckFieldCount(const CsvRecord& record) const {
    const std::size_t expected = m_layout.columns.size();
    if (record.fields.size() == expected) return;
    Fail(record, std::to_string(record.fields.size()) + " field" +
                     (record.fields.size() == 1 ? "" : "s") + ", but a " + m_layout.kind +
                     " row has " + std::to_string(expected) + ": " + m_layout.Titles());
  }

  std::string CheckedText(const CsvRecord& record, std::size_t index) const {
    const std::string& text = record.fields[index];
    if (text.size() >= kGridTextSize) {
      Fail(record, FieldName(index) + " is " + std::to_string(text.size()) +
                       " bytes; a grid cell holds at most " + std::to_string(kGridTextSize - 1));
    }
    return text;
  }

  std::int32_t WholeNumber(const CsvRecord& record, std::size_t index) const {
    const std::string text = WithoutOuterBlanks(record.fields[index]);
    if (text.empty() && m_layout.columns[index].role == CellRole::kNumber) return 0;
    if (!IsInt(text)) {
      Fail(record, FieldName(index) + " '" + record.fields[index] + "' is not a whole number" +
                       (m_layout.columns[index].role == CellRole::kTypeCode
                            ? std::string(" (") + kTypeCodes + ")"
                            : std::string()));
    }
    return ParseInt(text, m_layout.columns[index].title);
  }

  int CheckedTypeCode(const CsvRecord& record, std::size_t index, int code) const {
    if (code < 0 || code > kLargestTypeCode) {
      Fail(record, FieldName(index) + " " + std::to_string(code) + " is none of " + kTypeCodes);
    }
    return code;
  }

  void CheckName(const CsvRecord& record, std::size_t index) {
    const std::string& name = record.fields[index];
    if (name.empty()) Fail(record, FieldName(index) + " is empty");
    if (WithoutOuterBlanks(name) != name) {
      Fail(record, FieldName(index) + " '" + name + "' starts or ends with a blank");
    }
    const auto [seen, isNew] = m_namesSeen.emplace(AsciiUpper(name), record.line);
    if (!isNew) {
      Fail(record, FieldName(index) + " '" + name + "' is named on line " +
                       std::to_string(seen->second) + " already");
    }
  }

  void CheckWidth(const CsvRecord& record, std::size_t index, int typeCode) const {
    const std::string& width = record.fields[index];
    const bool digits =
        std::all_of(width.begin(), width.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || width.size() > kMostWidthDigits) {
      Fail(record, FieldName(index) + " '" + width + "' is not a width in decimal digits");
    }
    if (typeCode == 2 && (width.empty() || std::stoi(width) < 1)) {
      Fail(record, FieldName(index) + ": a CHAR column needs a width of at least 1");
    }
  }

  const GridLayout& m_layout;
  const std::string& m_sourceName;
  std::map<std::string, int> m_namesSeen;
};

}  // namespace

std::vector<GridRow> GridRowsFromCsv(const std::vector<CsvRecord>& records,
                                     const GridLayout& layout, const std::string& sourceName) {
  if (records.empty()) {
    throw GridCsvError(sourceName + ": no caption row (the first line holds the captions: " +
                       layout.Titles() + ")");
  }
  RowChecker checker(layout, sourceName);
  std::vector<GridRow> rows{checker.CaptionRow(records.front())};
  for (std::size_t i = 1; i < records.size(); ++i) rows.push_back(checker.DataRow(records[i]));
  return rows;
}

std::size_t ConvertCsvToGrid(const GridLayout& layout, const std::string& csvPath,
                             const std::string& gridPath) {
  const std::vector<GridRow> rows = GridRowsFromCsv(ReadCsvFile(csvPath), layout, csvPath);
  WriteGridFile(gridPath, layout.ColumnCount(), rows);
  return rows.size() - 1;
}

}  // namespace qhost
