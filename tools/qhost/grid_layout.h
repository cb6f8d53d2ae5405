#pragma once

#include <string>
#include <vector>

namespace qhost {

// What a column of a grid file means to the library, and so which part of its cells (the
// 64-byte text or the 32-bit value) carries it.
enum class CellRole {
  kLabel,     // text nobody reads; a row number or note for a person
  kName,      // text: a column or field name, unique within the file
  kTypeCode,  // value: 0 FLOAT, 1 NUMERIC, 2 CHAR, 3 DATE
  kWidth,     // text: a width in decimal digits (a CHAR column needs one)
  kDetail,    // text carried for the host
  kNumber,    // value carried for the host
};

// Whether the column is carried in the cell's value rather than its text.
bool IsValueRole(CellRole role);

struct GridColumn {
  const char* title;
  CellRole role;
};

// The columns of one kind of grid file, in file order.
struct GridLayout {
  const char* kind;  // "datasheet", "bind-table"
  std::vector<GridColumn> columns;
  int ColumnCount() const { return static_cast<int>(columns.size()); }
  // "label, name, type code, ..." for messages.
  std::string Titles() const;
};

// Datasheet: label, name, type code, width, and two values the library reads but does not
// use. Bind table: label, field name, type code, detail.
const GridLayout& DatasheetLayout();
const GridLayout& BindTableLayout();

// The layout with this many columns, or null.
const GridLayout* LayoutWithColumns(int columns);

}  // namespace qhost
