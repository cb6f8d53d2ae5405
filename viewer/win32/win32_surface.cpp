#include "viewer/win32/win32_surface.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/resources.h"
#include "resources/view_data_ids.h"

namespace quorlin::viewer {
namespace {

// The list view takes texts through non-const pointers but does not change them.
LPSTR TextPointer(const std::string& text) {
  return const_cast<LPSTR>(text.c_str());
}

}  // namespace

HWND Win32Surface::List() const {
  return GetDlgItem(m_dialog, resources::kRecordList);
}

void Win32Surface::ClearList() {
  SendMessageA(List(), LVM_DELETEALLITEMS, 0, 0);
}

int Win32Surface::InsertColumn(int index, const std::string& heading, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = TextPointer(heading);
  return static_cast<int>(SendMessageA(List(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(&column)));
}

int Win32Surface::InsertItem(int row, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = TextPointer(text);
  return static_cast<int>(
      SendMessageA(List(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32Surface::SetSubItem(int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.iImage = -1;
  item.pszText = TextPointer(text);
  SendMessageA(List(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32Surface::EnableControl(int id, bool enable) {
  if (HWND control = GetDlgItem(m_dialog, id)) EnableWindow(control, enable ? TRUE : FALSE);
}

void Win32Surface::ShowControl(int id, bool show) {
  if (HWND control = GetDlgItem(m_dialog, id)) ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void Win32Surface::SetFields(const std::string& tableName, const std::string& pageNo) {
  SetDlgItemTextA(m_dialog, resources::kTableNameEdit, tableName.c_str());
  SetDlgItemTextA(m_dialog, resources::kPageNoEdit, pageNo.c_str());
}

std::string Win32Surface::FieldText(int id) const {
  HWND field = GetDlgItem(m_dialog, id);
  if (field == nullptr) return {};
  const int length = GetWindowTextLengthA(field);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(field, text.data(), length + 1);
  return std::string(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

std::string Win32Surface::TableNameField() const {
  return FieldText(resources::kTableNameEdit);
}

std::string Win32Surface::PageNoField() const {
  return FieldText(resources::kPageNoEdit);
}

void Win32Surface::ShowMessage(unsigned stringId) {
  // Shown in UTF-16 where the library has the text: a library whose texts are Chinese only
  // shows them under any code page.
  const auto module = static_cast<HMODULE>(const_cast<void*>(platform::CurrentResourceModule()));
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module, stringId, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) {
    platform::ShowMessageBox(platform::LoadResourceString(stringId));
    return;
  }
  const std::wstring message(text, static_cast<std::size_t>(length));
  MessageBoxW(nullptr, message.c_str(), L"Quorlin", MB_OK | MB_TASKMODAL);
}

void Win32Surface::Beep() {
  platform::MessageBeep();
}

}  // namespace quorlin::viewer
