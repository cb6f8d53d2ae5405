#pragma once

#include <string>
#include <vector>

#include "viewer/dialog_surface.h"
#include "viewer/viewer_recordset.h"

namespace quorlin::viewer {

// What the front end does once it has forwarded a button to the dialog.
enum class ButtonResult {
  kNotADialogButton,  // no button of the template: the toolkit's own handling applies
  kDialogStays,
  kDialogEnds,  // Close: the front end ends the dialog
};

// The paging rules of the "View data" dialog, apart from any toolkit: the dialog lists the
// records of a recordset a page at a time, read forward or backward from wherever the
// recordset stands, and moves the recordset as it goes. A front end builds the window,
// hands it over as the surface, calls OnInitDialog once the window exists and forwards every
// button by its template id to OnButton.
class ViewDataDialog {
 public:
  // The dialog's data, set before it opens.
  int m_rowsPerPage = 1;
  std::string m_tableName;
  int m_pageNo = 0;
  // Borrowed: the dialog never closes or frees it.
  ViewerRecordset* m_recordset = nullptr;

  // The window the dialog shows itself in, while that window exists.
  void SetSurface(DialogSurface* surface) { m_surface = surface; }

  // Builds the columns and shows the first page. Returns true.
  bool OnInitDialog();
  void BuildColumns();
  // Shows a page read forward from the current record. False when the records ran out
  // before the page was full or a database failure ended it.
  bool FillPage();
  // Puts a page of texts (row after row, each row's fields in column order) into the list.
  void ShowRows(const std::vector<std::string>& pageTexts, int columnCount);

  // What the button with that template id does. Nothing escapes: a failure of the button's
  // work is reported and the dialog stays usable, since it would otherwise unwind through
  // the toolkit's event loop.
  ButtonResult OnButton(int controlId) noexcept;

  // The navigation buttons.
  void OnFirst();
  void OnLast();
  void OnNextPage();
  void OnPrevPage();

  // The members into the fields, and back: the table name typed into its field counts once
  // it has been taken back.
  void UpdateFields();
  void UpdateMembers();

 private:
  ViewerRecordset& Recordset() const;
  DialogSurface& Surface() const;
  void EnableNavigation(bool enable);
  void ShowPageNumber(bool show);
  // One row of field texts from the current record.
  std::vector<std::string> ReadRow(int columnCount);

  DialogSurface* m_surface = nullptr;
};

}  // namespace quorlin::viewer
