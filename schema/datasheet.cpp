#include "schema/datasheet.h"

#include "platform/file_exception.h"
#include "platform/text.h"
#include "schema/grid_file.h"

namespace quorlin::schema {
namespace {

constexpr int kDatasheetColumns = 6;

ColumnDef ColumnFromRow(const std::vector<GridCell>& row) {
  ColumnDef column;
  column.name = row[1].Text();
  column.typeCode = row[2].value < 0 ? 0 : row[2].value;
  column.width = platform::AtoI(row[3].Text());
  column.extraA = row[5].value;
  column.extraB = row[4].value;
  return column;
}

}  // namespace

DatasheetResult ReadDatasheet(const std::string& path, std::vector<ColumnDef>& columns) {
  GridFile file;
  if (!file.Open(path)) return DatasheetResult::kNotOpened;
  try {
    file.ReadCounts();
    if (file.ColumnCount() != kDatasheetColumns) return DatasheetResult::kNotDatasheet;
    // One row or less is the caption alone, or not even that: no columns, and no damage.
    if (file.RowCount() <= 1) return DatasheetResult::kRead;
    const auto dataRows = static_cast<std::uint64_t>(file.RowCount()) - 1;
    if (!file.Holds(dataRows)) return DatasheetResult::kDamaged;
    std::vector<GridCell> row;
    file.ReadRow(row);  // the caption row means nothing to the library
    std::vector<ColumnDef> read;
    read.reserve(static_cast<std::size_t>(dataRows));
    for (std::uint64_t i = 0; i < dataRows; ++i) {
      file.ReadRow(row);
      read.push_back(ColumnFromRow(row));
    }
    columns.insert(columns.end(), read.begin(), read.end());
  } catch (const platform::CFileException&) {
    return DatasheetResult::kDamaged;
  }
  return DatasheetResult::kRead;
}

}  // namespace quorlin::schema
