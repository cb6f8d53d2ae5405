#include "grid_layout.h"

namespace qhost {

bool IsValueRole(CellRole role) {
  return role == CellRole::kTypeCode || role == CellRole::kNumber;
}

std::string GridLayout::Titles() const {
  std::string titles;
  for (const GridColumn& column : columns) {
    titles += (titles.empty() ? "" : ", ") + std::string(column.title);
  }
  return titles;
}

const GridLayout& DatasheetLayout() {
  static const GridLayout layout{"datasheet",
                                 {{"label", CellRole::kLabel},
                                  {"name", CellRole::kName},
                                  {"type code", CellRole::kTypeCode},
                                  {"width", CellRole::kWidth},
                                  {"value", CellRole::kNumber},
                                  {"value", CellRole::kNumber}}};
  return layout;
}

const GridLayout& BindTableLayout() {
  static const GridLayout layout{"bind-table",
                                 {{"label", CellRole::kLabel},
                                  {"field name", CellRole::kName},
                                  {"type code", CellRole::kTypeCode},
                                  {"detail", CellRole::kDetail}}};
  return layout;
}

const GridLayout* LayoutWithColumns(int columns) {
  for (const GridLayout* layout : {&DatasheetLayout(), &BindTableLayout()}) {
    if (layout->ColumnCount() == columns) return layout;
  }
  return nullptr;
}

}  // namespace qhost
