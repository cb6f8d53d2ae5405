#include "list_copy.h"

#include <wx/listctrl.h>

namespace mirvale {
namespace {

Alignment AlignmentOf(wxListColumnFormat format) {
  switch (format) {
    case wxLIST_FORMAT_RIGHT:
      return Alignment::kRight;
    case wxLIST_FORMAT_CENTRE:
      return Alignment::kCentre;
    default:
      return Alignment::kLeft;
  }
}

std::vector<TableColumn> CopyColumns(wxListCtrl& list) {
  std::vector<TableColumn> columns;
  const int count = list.GetColumnCount();
  for (int index = 0; index < count; ++index) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
    if (!list.GetColumn(index, column)) column = wxListItem();
    columns.push_back({column.GetText().utf8_string(), AlignmentOf(column.GetAlign())});
  }
  if (columns.empty()) columns.push_back({});
  return columns;
}

}  // namespace

TableContent CopyList(wxListCtrl& list) {
  TableContent content;
  content.columns = CopyColumns(list);
  const long rows = list.GetItemCount();
  content.rows.reserve(static_cast<std::size_t>(rows));
  for (long row = 0; row < rows; ++row) {
    std::vector<std::string> texts;
    texts.reserve(content.columns.size());
    for (std::size_t column = 0; column < content.columns.size(); ++column) {
      texts.push_back(list.GetItemText(row, static_cast<int>(column)).utf8_string());
    }
    content.rows.push_back(std::move(texts));
  }
  return content;
}

}  // namespace mirvale
