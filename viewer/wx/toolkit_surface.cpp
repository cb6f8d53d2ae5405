#include "viewer/wx/toolkit_surface.h"

#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "platform/linux/toolkit_text.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "resources/view_data_ids.h"

namespace quorlin::viewer {
namespace {

using platform::ToToolkitText;

// Toolkit text back in the process code page. Characters that the code page cannot hold (a
// Chinese name in a host that never set its locale) come back as UTF-8, the form such
// texts arrived in, rather than being lost.
std::string FromToolkitText(const wxString& text) {
  if (text.empty()) return {};
  const wxScopedCharBuffer local = text.mb_str(wxConvLibc);
  if (local.length() > 0) return std::string(local.data(), local.length());
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

wxTextCtrl* Field(const wxDialog& dialog, int id) {
  return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id));
}

}  // namespace

void ToolkitSurface::ClearList() {
  m_list.DeleteAllItems();
}

int ToolkitSurface::InsertColumn(int index, const std::string& heading, int width) {
  return static_cast<int>(
      m_list.InsertColumn(index, ToToolkitText(heading), wxLIST_FORMAT_LEFT, width));
}

int ToolkitSurface::InsertItem(int row, const std::string& text) {
  return static_cast<int>(m_list.InsertItem(row, ToToolkitText(text)));
}

void ToolkitSurface::SetSubItem(int row, int column, const std::string& text) {
  m_list.SetItem(row, column, ToToolkitText(text));
}

MirvaleWindow ToolkitSurface::PrinterParent() const {
  return &m_dialog;
}

void ToolkitSurface::EnableControl(int id, bool enable) {
  if (wxWindow* control = m_dialog.FindWindow(id)) control->Enable(enable);
}

void ToolkitSurface::ShowControl(int id, bool show) {
  if (wxWindow* control = m_dialog.FindWindow(id)) control->Show(show);
}

void ToolkitSurface::SetFields(const std::string& tableName, const std::string& pageNo) {
  // ChangeValue, not SetValue: filling a field is no edit by the operator.
  if (wxTextCtrl* field = Field(m_dialog, resources::kTableNameEdit)) {
    field->ChangeValue(ToToolkitText(tableName));
  }
  if (wxTextCtrl* field = Field(m_dialog, resources::kPageNoEdit)) {
    field->ChangeValue(ToToolkitText(pageNo));
  }
}

std::string ToolkitSurface::TableNameField() const {
  const wxTextCtrl* field = Field(m_dialog, resources::kTableNameEdit);
  return field != nullptr ? FromToolkitText(field->GetValue()) : std::string();
}

std::string ToolkitSurface::PageNoField() const {
  const wxTextCtrl* field = Field(m_dialog, resources::kPageNoEdit);
  return field != nullptr ? FromToolkitText(field->GetValue()) : std::string();
}

void ToolkitSurface::ShowMessage(unsigned stringId) {
  platform::ShowMessageBox(platform::LoadResourceString(stringId));
}

void ToolkitSurface::Beep() {
  platform::MessageBeep();
}

}  // namespace quorlin::viewer
