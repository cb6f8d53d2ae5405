#pragma once

#include <wx/dialog.h>

#include <exception>
#include <memory>

#include "resources/view_data_template.h"
#include "viewer/view_data_dialog.h"
#include "viewer/wx/toolkit_surface.h"

class wxListCtrl;

namespace quorlin::viewer {

// The "View data" dialog window in wxWidgets: draws what the paging rules put on its surface
// and forwards the operator's buttons to them. A maximize box but no sizing border, as the
// template has it (wxWidgets on GTK then gives the window a fixed size, so X11 window managers
// do not offer maximizing); the list follows the client area whenever its size changes.
class ViewDataWindow : public wxDialog {
 public:
  ViewDataWindow(ViewDataDialog& dialog, const resources::DialogTemplate& dialogTemplate);
  ~ViewDataWindow() override;

  // Runs the dialog modally until the operator closes it; throws what escaped the dialog's
  // initialisation.
  void Run();

 private:
  void OnInitDialogEvent(wxInitDialogEvent& event);
  void OnSizeOrMove(wxEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnCloseWindow(wxCloseEvent& event);
  void OnCloseButton(wxCommandEvent& event);
  void OnPreview(wxCommandEvent& event);
  void OnPrint(wxCommandEvent& event);
  void OnPrinterSetup(wxCommandEvent& event);
  void BindNavigation(int id, void (ViewDataDialog::*handler)());
  void LayoutList();
  // As a dialog starts: the first control in tab order that can take the focus gets it.
  void FocusFirstTabStop();
  // Runs a button's work; a failure is reported and the dialog stays usable, since nothing
  // may escape into the toolkit's event loop.
  template <typename Work>
  void Guarded(Work&& work);

  ViewDataDialog& m_dialog;
  wxListCtrl* m_list = nullptr;
  std::unique_ptr<ToolkitSurface> m_surface;
  std::exception_ptr m_initFailure;
};

}  // namespace quorlin::viewer
