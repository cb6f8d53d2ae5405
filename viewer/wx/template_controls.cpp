#include "viewer/wx/template_controls.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace quorlin::viewer {
namespace {

using resources::ControlKind;
using resources::TemplateControl;

wxString Utf8(const char* text) {
  return wxString::FromUTF8(text);
}

void CreateControl(wxDialog& dialog, const TemplateControl& control) {
  const wxPoint position = dialog.ConvertDialogToPixels(wxPoint(control.rect.x, control.rect.y));
  const wxSize size = dialog.ConvertDialogToPixels(wxSize(control.rect.width, control.rect.height));
  const wxWindowID id = control.id;  // -1, a label nobody addresses, is wxID_ANY
  const wxString caption = Utf8(control.caption);
  switch (control.kind) {
    case ControlKind::kDefaultButton:
      (new wxButton(&dialog, id, caption, position, size))->SetDefault();
      break;
    case ControlKind::kButton:
      new wxButton(&dialog, id, caption, position, size);
      break;
    case ControlKind::kHiddenButton:
      (new wxButton(&dialog, id, caption, position, size))->Hide();
      break;
    case ControlKind::kReportList:
      new wxListCtrl(&dialog, id, position, size, wxLC_REPORT | wxLC_AUTOARRANGE | wxBORDER_SUNKEN);
      break;
    case ControlKind::kLabel:
      new wxStaticText(&dialog, id, caption, position, size);
      break;
    case ControlKind::kEdit:
      new wxTextCtrl(&dialog, id, caption, position, size);
      break;
    case ControlKind::kReadOnlyEdit:
    case ControlKind::kPageNumberEdit:
      new wxTextCtrl(&dialog, id, caption, position, size, wxTE_READONLY);
      break;
  }
}

}  // namespace

void BuildFromTemplate(wxDialog& dialog, const resources::DialogTemplate& dialogTemplate) {
  dialog.SetTitle(Utf8(dialogTemplate.title));
  // The template names Windows faces; here the desktop's own face is used at the template's
  // size. Dialog units follow this font, so it comes before any conversion.
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  font.SetPointSize(dialogTemplate.fontPoints);
  dialog.SetFont(font);
  dialog.SetClientSize(
      dialog.ConvertDialogToPixels(wxSize(dialogTemplate.width, dialogTemplate.height)));
  for (std::size_t i = 0; i < dialogTemplate.controlCount; ++i) {
    CreateControl(dialog, dialogTemplate.controls[i]);
  }
}

}  // namespace quorlin::viewer
