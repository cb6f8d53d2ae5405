#include "dialog_state.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace quorlin::test {
namespace {

constexpr int kTextCapacity = 1024;

std::wstring WindowText(HWND window) {
  wchar_t text[kTextCapacity] = {};
  GetWindowTextW(window, text, kTextCapacity);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

RECT ClientRectOf(HWND control, HWND dialog) {
  RECT place = {};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::vector<std::wstring> Headings(HWND list) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int count =
      header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  std::vector<std::wstring> headings;
  for (int column = 0; column < count; ++column) {
    wchar_t text[kTextCapacity] = {};
    LVCOLUMNW query = {};
    query.mask = LVCF_TEXT;
    query.pszText = text;
    query.cchTextMax = kTextCapacity;
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&query));
    headings.push_back(text);
  }
  return headings;
}

std::vector<std::vector<std::wstring>> Rows(HWND list, std::size_t columns) {
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::vector<std::wstring>> rows(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    for (std::size_t column = 0; column < columns; ++column) {
      wchar_t text[kTextCapacity] = {};
      LVITEMW query = {};
      query.iSubItem = static_cast<int>(column);
      query.pszText = text;
      query.cchTextMax = kTextCapacity;
      SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&query));
      rows[static_cast<std::size_t>(row)].push_back(text);
    }
  }
  return rows;
}

}  // namespace

const ControlState& DialogState::Control(int id) const {
  static const ControlState missing;
  const auto found = controls.find(id);
  return found != controls.end() ? found->second : missing;
}

std::vector<std::wstring> DialogState::FirstColumn() const {
  std::vector<std::wstring> column;
  for (const auto& row : rows) column.push_back(row.empty() ? L"" : row[0]);
  return column;
}

DialogState ReadState(HWND dialog) {
  DialogState state;
  state.title = WindowText(dialog);
  GetClientRect(dialog, &state.client);
  HWND list = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(child);
    if (id == 0xFFFF) id = -1;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    ControlState control;
    control.className = ClassOf(child);
    control.text = WindowText(child);
    control.enabled = IsWindowEnabled(child) != FALSE;
    control.shown = (style & WS_VISIBLE) != 0;
    control.readOnly =
        _wcsicmp(control.className.c_str(), L"Edit") == 0 && (style & ES_READONLY) != 0;
    control.rect = ClientRectOf(child, dialog);
    if (_wcsicmp(control.className.c_str(), WC_LISTVIEWW) == 0) list = child;
    state.order.push_back(id);
    state.controls[id] = control;
  }
  if (list != nullptr) {
    state.headings = Headings(list);
    state.rows = Rows(list, state.headings.size());
  }
  return state;
}

}  // namespace quorlin::test
