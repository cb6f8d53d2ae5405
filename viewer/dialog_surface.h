#pragma once

#include <string>

#include "mirvale.h"

namespace quorlin::viewer {

// The View data dialog's window as the paging rules use it: the record list, the controls
// by their template ids, the two fields and the operator's messages. Each toolkit front end
// implements it over its own controls; texts are in the process code page.
class DialogSurface {
 public:
  virtual ~DialogSurface() = default;

  // The record list.
  virtual void ClearList() = 0;
  // Inserts a left-aligned column of the given width in pixels; the index it got, or -1.
  virtual int InsertColumn(int index, const std::string& heading, int width) = 0;
  // Inserts a row whose first column shows text; the index it got, or -1.
  virtual int InsertItem(int row, const std::string& text) = 0;
  virtual void SetSubItem(int row, int column, const std::string& text) = 0;

  // The record list and the dialog window as the printer library takes them. Valid only
  // while the button's handler that asked for them runs.
  virtual MirvaleListControl PrinterList() const = 0;
  virtual MirvaleWindow PrinterParent() const = 0;

  // Controls by template id.
  virtual void EnableControl(int id, bool enable) = 0;
  virtual void ShowControl(int id, bool show) = 0;

  // The table-name field and the page-number field.
  virtual void SetFields(const std::string& tableName, const std::string& pageNo) = 0;
  virtual std::string TableNameField() const = 0;
  virtual std::string PageNoField() const = 0;

  // A message box with an OK button showing the string with that id; returns once the
  // operator has dismissed it.
  virtual void ShowMessage(unsigned stringId) = 0;
  virtual void Beep() = 0;
};

}  // namespace quorlin::viewer
