#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "field_specs.h"
#include "grid_file.h"
#include "table_printer.h"

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

// Every cell as text=value, so that files written by other tools can be checked too.
bool ShowGrid(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  arguments.ExpectEnd();
  int columns = 0;
  const std::vector<GridRow> grid = ReadGridFile(path, columns);
  std::vector<std::string> header{"row"};
  for (int c = 0; c < columns; ++c) header.push_back("column " + std::to_string(c));
  std::vector<std::vector<std::string>> rows;
  for (std::size_t r = 0; r < grid.size(); ++r) {
    rows.push_back({r == 0 ? "caption" : std::to_string(r)});
    for (const GridCell& cell : grid[r]) {
      rows.back().push_back("\"" + cell.text + "\" " + std::to_string(cell.value));
    }
  }
  PrintTable(header, rows, session.Out());
  return true;
}

}  // namespace

std::vector<Command> GridFileCommands() {
  return {
      {"datasheet", "datasheet FILE NAME:TYPE[:WIDTH]...",
       "writes a datasheet file (six-column grid file) for createtable", WriteDatasheet},
      {"bindfile", "bindfile FILE NAME:TYPE[:DETAIL]...",
       "writes a bind-table file (four-column grid file) for bindtable, insert and update",
       WriteBindFile},
      {"grid", "grid FILE", "prints every cell of a grid file as \"text\" value", ShowGrid},
  };
}

}  // namespace qhost
