#pragma once

#include "viewer/dialog_surface.h"

class wxDialog;
class wxListCtrl;

namespace quorlin::viewer {

// The dialog's controls in wxWidgets, found by their template ids. Valid while the dialog
// window exists.
class ToolkitSurface : public DialogSurface {
 public:
  ToolkitSurface(wxDialog& dialog, wxListCtrl& list) : m_dialog(dialog), m_list(list) {}

  void ClearList() override;
  int InsertColumn(int index, const std::string& heading, int width) override;
  int InsertItem(int row, const std::string& text) override;
  void SetSubItem(int row, int column, const std::string& text) override;
  MirvaleListControl PrinterList() const override { return &m_list; }
  MirvaleWindow PrinterParent() const override;
  void EnableControl(int id, bool enable) override;
  void ShowControl(int id, bool show) override;
  void SetFields(const std::string& tableName, const std::string& pageNo) override;
  std::string TableNameField() const override;
  std::string PageNoField() const override;
  void ShowMessage(unsigned stringId) override;
  void Beep() override;

 private:
  wxDialog& m_dialog;
  wxListCtrl& m_list;
};

}  // namespace quorlin::viewer
