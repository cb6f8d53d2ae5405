#include "list_copy.h"

#include <wx/listctrl.h>

namespace mirvale {
namespace {

wxAlignment AlignmentOf(wxListColumnFormat format) {
  switch (format) {
    case wxLIST_FORMAT_RIGHT:
      return wxALIGN_RIGHT;
    case wxLIST_FORMAT_CENTRE:
      return wxALIGN_CENTRE_HORIZONTAL;
    default:
      return wxALIGN_LEFT;
  }
}

std::vector<TableColumn> CopyColumns(wxListCtrl& list) {
  std::vector<TableColumn> columns;
  const int count = list.GetColumnCount();
  for (int index = 0; index < count; ++index) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
    if (!list.GetColumn(index, column)) column = wxListItem();
    columns.push_back({column.GetText(), AlignmentOf(column.GetAlign())});
  }
  if (columns.empty()) columns.push_back({});
  return columns;
}

}  // namespace

PageContent CopyList(wxListCtrl& list) {
  PageContent content;
  content.columns = CopyColumns(list);
  const long rows = list.GetItemCount();
  content.rows.reserve(static_cast<std::size_t>(rows));
  for (long row = 0; row < rows; ++row) {
    std::vector<wxString> texts;
    texts.reserve(content.columns.size());
    for (std::size_t column = 0; column < content.columns.size(); ++column) {
      texts.push_back(list.GetItemText(row, static_cast<int>(column)));
    }
    content.rows.push_back(std::move(texts));
  }
  return content;
}

}  // namespace mirvale
