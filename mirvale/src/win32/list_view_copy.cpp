#include "win32/list_view_copy.h"

#include <commctrl.h>

#include <vector>

#include "win32/wide_text.h"

namespace mirvale {
namespace {

// Longer texts are cut: the printout shortens them with an ellipsis long before this.
constexpr int kLongestText = 4096;

Alignment AlignmentOf(int format) {
  switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
      return Alignment::kRight;
    case LVCFMT_CENTER:
      return Alignment::kCentre;
    default:
      return Alignment::kLeft;
  }
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::vector<TableColumn> CopyColumns(HWND list) {
  std::vector<TableColumn> columns;
  const int count = ColumnCount(list);
  std::vector<wchar_t> text(kLongestText, L'\0');
  for (int index = 0; index < count; ++index) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = text.data();
    column.cchTextMax = kLongestText;
    text[0] = L'\0';
    if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&column))) {
      columns.push_back({});
      continue;
    }
    columns.push_back({Utf8(column.pszText), AlignmentOf(column.fmt)});
  }
  if (columns.empty()) columns.push_back({});
  return columns;
}

std::string ItemText(HWND list, int row, int column, std::vector<wchar_t>& buffer) {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  buffer[0] = L'\0';
  const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&item));
  return length > 0 ? Utf8(std::wstring(item.pszText, static_cast<std::size_t>(length))) : "";
}

}  // namespace

TableContent CopyListView(HWND list) {
  TableContent content;
  if (list == nullptr || !IsWindow(list)) {
    content.columns.push_back({});
    return content;
  }
  content.columns = CopyColumns(list);
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<wchar_t> buffer(kLongestText, L'\0');
  content.rows.reserve(static_cast<std::size_t>(rows > 0 ? rows : 0));
  for (int row = 0; row < rows; ++row) {
    std::vector<std::string> texts;
    texts.reserve(content.columns.size());
    for (std::size_t column = 0; column < content.columns.size(); ++column) {
      texts.push_back(ItemText(list, row, static_cast<int>(column), buffer));
    }
    content.rows.push_back(std::move(texts));
  }
  return content;
}

}  // namespace mirvale
