#include "viewer/wx/view_data_window.h"

#include <wx/listctrl.h>

#include <stdexcept>
#include <vector>

#include "resources/view_data_ids.h"
#include "viewer/list_layout.h"
#include "viewer/wx/template_controls.h"

namespace quorlin::viewer {
namespace {

constexpr long kStyle = wxDEFAULT_DIALOG_STYLE | wxMAXIMIZE_BOX;  // no wxRESIZE_BORDER
// The Close button's id, which is also the dialog's result.
constexpr int kClose = resources::kCloseButton;

}  // namespace

ViewDataWindow::ViewDataWindow(ViewDataDialog& dialog,
                               const resources::DialogTemplate& dialogTemplate)
    : wxDialog(nullptr, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, kStyle),
      m_dialog(dialog) {
  BuildFromTemplate(*this, dialogTemplate);
  m_list = dynamic_cast<wxListCtrl*>(FindWindow(resources::kRecordList));
  if (m_list == nullptr) throw std::logic_error("The View data template has no record list.");
  m_surface = std::make_unique<ToolkitSurface>(*this, *m_list);
  m_dialog.SetSurface(m_surface.get());
  m_listTop = RecordListTop(ShownControlPlaces(), RecordListRect(0, 0).y);

  Bind(wxEVT_INIT_DIALOG, &ViewDataWindow::OnInitDialogEvent, this);
  Bind(wxEVT_SIZE, &ViewDataWindow::OnSizeOrMove, this);
  Bind(wxEVT_MOVE, &ViewDataWindow::OnSizeOrMove, this);
  Bind(wxEVT_CHAR_HOOK, &ViewDataWindow::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, &ViewDataWindow::OnCloseWindow, this);
  Bind(wxEVT_BUTTON, &ViewDataWindow::OnButton, this);
  LayoutList();
  CentreOnScreen();
}

ViewDataWindow::~ViewDataWindow() {
  // The paging rules must not reach controls that are going away.
  m_dialog.SetSurface(nullptr);
}

void ViewDataWindow::Run() {
  ShowModal();
  if (m_initFailure) std::rethrow_exception(m_initFailure);
}

void ViewDataWindow::OnInitDialogEvent(wxInitDialogEvent&) {
  // Runs once the window is shown, so that a "No data" box stands over the dialog.
  try {
    m_dialog.OnInitDialog();
    FocusFirstTabStop();
  } catch (...) {
    m_initFailure = std::current_exception();
    // The modal loop starts only after this event; ending the dialog now would be lost.
    CallAfter([this] { EndModal(wxID_CANCEL); });
  }
}

void ViewDataWindow::FocusFirstTabStop() {
  for (wxWindow* control : GetChildren()) {
    if (control->IsShown() && control->IsEnabled() && control->AcceptsFocus()) {
      control->SetFocus();
      return;
    }
  }
}

std::vector<PixelRect> ViewDataWindow::ShownControlPlaces() const {
  std::vector<PixelRect> places;
  for (const wxWindow* control : GetChildren()) {
    if (control == m_list || !control->IsShown()) continue;
    const wxRect place = control->GetRect();
    places.push_back({place.x, place.y, place.width, place.height});
  }
  return places;
}

void ViewDataWindow::OnSizeOrMove(wxEvent& event) {
  event.Skip();
  LayoutList();
}

void ViewDataWindow::LayoutList() {
  if (m_list == nullptr) return;
  const wxSize client = GetClientSize();
  const PixelRect place = RecordListRect(client.GetWidth(), client.GetHeight(), m_listTop);
  m_list->SetSize(place.x, place.y, place.width, place.height);
  m_list->Refresh();
}

void ViewDataWindow::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_ESCAPE) {
    EndModal(wxID_CANCEL);
    return;
  }
  event.Skip();
}

void ViewDataWindow::OnCloseWindow(wxCloseEvent&) {
  EndModal(wxID_CANCEL);
}

void ViewDataWindow::OnButton(wxCommandEvent& event) {
  switch (m_dialog.OnButton(event.GetId())) {
    case ButtonResult::kNotADialogButton:
      event.Skip();
      break;
    case ButtonResult::kDialogStays:
      break;
    case ButtonResult::kDialogEnds:
      EndModal(kClose);
      break;
  }
}

}  // namespace quorlin::viewer
