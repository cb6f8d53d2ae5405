#include "report_list.h"

#include <commctrl.h>

namespace quorlin::test {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

ReportList::ReportList(const std::vector<std::string>& headers,
                       const std::vector<std::vector<std::string>>& rows) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  m_window = CreateWindowExW(0, L"STATIC", L"Report list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                             600, 400, nullptr, nullptr, nullptr, nullptr);
  m_list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 580, 360,
                           m_window, nullptr, nullptr, nullptr);
  for (std::size_t index = 0; index < headers.size(); ++index) {
    std::wstring text = Wide(headers[index]);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 100;
    column.pszText = text.data();
    SendMessageW(m_list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  }
  for (std::size_t row = 0; row < rows.size(); ++row) {
    std::wstring first = Wide(rows[row].empty() ? "" : rows[row][0]);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = first.data();
    SendMessageW(m_list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t column = 1; column < rows[row].size(); ++column) {
      SetCell(static_cast<int>(row), static_cast<int>(column), rows[row][column]);
    }
  }
}

ReportList::~ReportList() {
  if (m_window != nullptr) DestroyWindow(m_window);
}

void ReportList::SetCell(int row, int column, const std::string& text) {
  std::wstring wide = Wide(text);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(m_list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::vector<std::string> OrderHeaders() {
  return {"OrderNo", "\xe5\xae\xa2\xe6\x88\xb7\xe5\x90\x8d\xe7\xa7\xb0", "Amount"};  // 客户名称
}

std::vector<std::vector<std::string>> OrderRows() {
  return {{"A-001", "Acme", "12.50"},
          {"A-002", "\xe5\x8c\x97\xe4\xba\xac\xe5\x85\xac\xe5\x8f\xb8", "7.00"},  // 北京公司
          {"A-007", "Zeta", "300.25"}};
}

}  // namespace quorlin::test
