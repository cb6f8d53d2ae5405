#include "viewer/wx/view_data_window.h"

#include <wx/listctrl.h>

#include <stdexcept>

#include "frame/report.h"
#include "resources/view_data_ids.h"
#include "viewer/list_layout.h"
#include "viewer/wx/printer_bridge.h"
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

  Bind(wxEVT_INIT_DIALOG, &ViewDataWindow::OnInitDialogEvent, this);
  Bind(wxEVT_SIZE, &ViewDataWindow::OnSizeOrMove, this);
  Bind(wxEVT_MOVE, &ViewDataWindow::OnSizeOrMove, this);
  Bind(wxEVT_CHAR_HOOK, &ViewDataWindow::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, &ViewDataWindow::OnCloseWindow, this);
  Bind(wxEVT_BUTTON, &ViewDataWindow::OnCloseButton, this, kClose);
  BindNavigation(resources::kFirstButton, &ViewDataDialog::OnFirst);
  BindNavigation(resources::kLastButton, &ViewDataDialog::OnLast);
  BindNavigation(resources::kNextPageButton, &ViewDataDialog::OnNextPage);
  BindNavigation(resources::kPrevPageButton, &ViewDataDialog::OnPrevPage);
  Bind(wxEVT_BUTTON, &ViewDataWindow::OnPreview, this, resources::kPreviewButton);
  Bind(wxEVT_BUTTON, &ViewDataWindow::OnPrinterSetup, this, resources::kPrinterSetupButton);
  Bind(wxEVT_BUTTON, &ViewDataWindow::OnPrint, this, resources::kPrintButton);
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

template <typename Work>
void ViewDataWindow::Guarded(Work&& work) {
  try {
    work();
  } catch (const std::exception& e) {
    frame::ReportMessage(e.what());
  } catch (...) {
    frame::ReportMessage("Unexpected error in the View data dialog.");
  }
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

void ViewDataWindow::BindNavigation(int id, void (ViewDataDialog::*handler)()) {
  // The handlers keep their own failures inside.
  Bind(
      wxEVT_BUTTON, [this, handler](wxCommandEvent&) { Guarded([&] { (m_dialog.*handler)(); }); },
      id);
}

void ViewDataWindow::OnSizeOrMove(wxEvent& event) {
  event.Skip();
  LayoutList();
}

void ViewDataWindow::LayoutList() {
  if (m_list == nullptr) return;
  const wxSize client = GetClientSize();
  const PixelRect place = RecordListRect(client.GetWidth(), client.GetHeight());
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

void ViewDataWindow::OnCloseButton(wxCommandEvent&) {
  // The fields go back into the members before the dialog ends; nothing reads them later.
  Guarded([&] { m_dialog.UpdateMembers(); });
  EndModal(kClose);
}

void ViewDataWindow::OnPreview(wxCommandEvent&) {
  Guarded([&] {
    m_dialog.UpdateMembers();  // a table name typed into the field counts
    PreviewPage(*m_list, m_dialog.m_tableName);
  });
}

void ViewDataWindow::OnPrint(wxCommandEvent&) {
  Guarded([&] {
    m_dialog.UpdateMembers();
    PrintPage(*m_list, m_dialog.m_tableName);
  });
}

void ViewDataWindow::OnPrinterSetup(wxCommandEvent&) {
  Guarded([&] { SetUpPrinter(*this); });
}

}  // namespace quorlin::viewer
