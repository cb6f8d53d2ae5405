#pragma once

#include <windows.h>

#include "viewer/dialog_surface.h"

namespace quorlin::viewer {

// The dialog's controls as Win32 windows, found by their template ids. The record list is a
// report-style list view of the common controls. Valid while the dialog window exists.
class Win32Surface : public DialogSurface {
 public:
  explicit Win32Surface(HWND dialog) : m_dialog(dialog) {}

  void ClearList() override;
  int InsertColumn(int index, const std::string& heading, int width) override;
  int InsertItem(int row, const std::string& text) override;
  void SetSubItem(int row, int column, const std::string& text) override;
  MirvaleListControl PrinterList() const override { return List(); }
  MirvaleWindow PrinterParent() const override { return m_dialog; }
  void EnableControl(int id, bool enable) override;
  void ShowControl(int id, bool show) override;
  void SetFields(const std::string& tableName, const std::string& pageNo) override;
  std::string TableNameField() const override;
  std::string PageNoField() const override;
  void ShowMessage(unsigned stringId) override;
  void Beep() override;

 private:
  HWND List() const;
  std::string FieldText(int id) const;

  HWND m_dialog;
};

}  // namespace quorlin::viewer
