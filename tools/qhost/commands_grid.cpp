#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "field_specs.h"
#include "grid_file.h"
#include "grid_layout.h"
#include "grid_printing.h"
#include "grid_tools.h"

namespace qhost {

namespace {

// Column 0 of a data row is read by no one; it numbers the rows for a person looking at it.
GridRow DataRow(std::size_t number, const std::vector<GridCell>& cells) {
  GridRow row{{std::to_string(number), 0}};
  row.insert(row.end(), cells.begin(), cells.end());
  return row;
}

std::vector<ColumnSpec> TakeColumns(Arguments& arguments) {
  std::vector<ColumnSpec> columns;
  for (const std::string& word : arguments.TakeAll()) columns.push_back(ParseColumnSpec(word));
  return columns;
}

bool WriteDatasheet(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  std::vector<GridRow> rows{{{"No."}, {"Name"}, {"Type"}, {"Width"}, {""}, {""}}};
  for (const ColumnSpec& column : TakeColumns(arguments)) {
    rows.push_back(DataRow(rows.size(), {{column.name, 0},
                                         {"", column.type},
                                         {column.extra.empty() ? "0" : column.extra, 0},
                                         {"", 0},
                                         {"", 0}}));
  }
  WriteGridFile(path, kDatasheetColumns, rows);
  session.Out() << "wrote " << path << ": " << rows.size() - 1 << " columns\n";
  return true;
}

bool WriteBindFile(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  std::vector<GridRow> rows{{{"No."}, {"Field"}, {"Type"}, {"Detail"}}};
  for (const ColumnSpec& field : TakeColumns(arguments)) {
    rows.push_back(DataRow(rows.size(), {{field.name, 0}, {"", field.type}, {field.extra, 0}}));
  }
  WriteGridFile(path, kBindTableColumns, rows);
  session.Out() << "wrote " << path << ": " << rows.size() - 1 << " fields\n";
  return true;
}

bool ShowGrid(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  arguments.ExpectEnd();
  PrintGridFile(path, session.Out());
  return true;
}

bool ConvertCsv(Session& session, Arguments& arguments, const GridLayout& layout) {
  const std::string csvPath = arguments.Take("CSVFILE");
  const std::string gridPath = arguments.Take("GRIDFILE");
  arguments.ExpectEnd();
  ConvertCsvFile(layout, csvPath, gridPath, session.Out());
  return true;
}

bool CsvToDatasheet(Session& session, Arguments& arguments) {
  return ConvertCsv(session, arguments, DatasheetLayout());
}

bool CsvToBindTable(Session& session, Arguments& arguments) {
  return ConvertCsv(session, arguments, BindTableLayout());
}

}  // namespace

std::vector<Command> GridFileCommands() {
  return {
      {"datasheet", "datasheet FILE NAME:TYPE[:WIDTH]...",
       "writes a datasheet file (six-column grid file) for createtable", WriteDatasheet},
      {"bindfile", "bindfile FILE NAME:TYPE[:DETAIL]...",
       "writes a bind-table file (four-column grid file) for bindtable, insert and update",
       WriteBindFile},
      {"csv2datasheet", "csv2datasheet CSVFILE GRIDFILE",
       "writes a datasheet file from CSV: a caption row, then per column: label, name, type "
       "code (0 FLOAT, 1 NUMERIC, 2 CHAR, 3 DATE), width, value, value",
       CsvToDatasheet},
      {"csv2bindtable", "csv2bindtable CSVFILE GRIDFILE",
       "writes a bind-table file from CSV: a caption row, then per field: label, name, type "
       "code, detail",
       CsvToBindTable},
      {"grid", "grid FILE",
       "prints every cell of a grid file as \"text\" value, and refuses damaged files", ShowGrid},
  };
}

}  // namespace qhost
