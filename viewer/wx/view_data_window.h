#pragma once

#include <wx/dialog.h>

#include <exception>
#include <memory>
#include <vector>

#include "resources/view_data_template.h"
#include "viewer/list_layout.h"
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
  // Every button goes to the paging rules by its template id.
  void OnButton(wxCommandEvent& event);
  void LayoutList();
  // Where the controls other than the list stand, of those the template shows.
  std::vector<PixelRect> ShownControlPlaces() const;
  // As a dialog starts: the first control in tab order that can take the focus gets it.
  void FocusFirstTabStop();

  ViewDataDialog& m_dialog;
  wxListCtrl* m_list = nullptr;
  // Where the record list starts, fixed once the template's controls exist.
  int m_listTop = 0;
  std::unique_ptr<ToolkitSurface> m_surface;
  std::exception_ptr m_initFailure;
};

}  // namespace quorlin::viewer
