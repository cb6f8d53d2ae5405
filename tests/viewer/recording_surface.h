#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "viewer/dialog_surface.h"

namespace quorlin::test {

// A dialog window without a display: keeps what the paging rules put into the list, the
// controls' states, the two fields, the message boxes and the beeps, the way a list control
// and a dialog would. Controls start as the linked profile's template creates them: all
// enabled, all shown but the printer-setup button.
class RecordingSurface : public viewer::DialogSurface {
 public:
  RecordingSurface();

  void ClearList() override;
  int InsertColumn(int index, const std::string& heading, int width) override;
  int InsertItem(int row, const std::string& text) override;
  void SetSubItem(int row, int column, const std::string& text) override;
  // No list control or window to print from: the printer library gets none.
  MirvaleListControl PrinterList() const override { return nullptr; }
  MirvaleWindow PrinterParent() const override { return nullptr; }
  void EnableControl(int id, bool enable) override;
  void ShowControl(int id, bool show) override;
  void SetFields(const std::string& tableName, const std::string& pageNo) override;
  std::string TableNameField() const override { return m_tableNameField; }
  std::string PageNoField() const override { return m_pageNoField; }
  void ShowMessage(unsigned stringId) override { m_messages.push_back(stringId); }
  void Beep() override { ++m_beeps; }

  struct Column {
    std::string heading;
    int width;
  };
  const std::vector<Column>& Columns() const { return m_columns; }
  const std::vector<std::vector<std::string>>& Rows() const { return m_rows; }
  // The first column of every row, as numbers: the record ids the list shows.
  std::vector<int> ShownIds() const;
  bool Enabled(int id) const { return m_enabled.at(id); }
  bool Shown(int id) const { return m_shown.at(id); }
  const std::vector<unsigned>& Messages() const { return m_messages; }
  int Beeps() const { return m_beeps; }
  // The operator types into the table-name field.
  void TypeTableName(const std::string& text) { m_tableNameField = text; }

  // Controls whose state was set since the last call, to tell "unchanged" from "set again".
  std::set<int> TakeTouchedControls();
  // Calls that a list control would refuse; the paging rules should make none.
  const std::vector<std::string>& Faults() const { return m_faults; }
  // Column insertions after this many fail, as a list control's may.
  void RefuseColumnsAfter(int count) { m_columnLimit = count; }

 private:
  std::vector<Column> m_columns;
  std::vector<std::vector<std::string>> m_rows;
  std::map<int, bool> m_enabled;
  std::map<int, bool> m_shown;
  std::set<int> m_touched;
  std::string m_tableNameField;
  std::string m_pageNoField;
  std::vector<unsigned> m_messages;
  int m_beeps = 0;
  int m_columnLimit = -1;
  std::vector<std::string> m_faults;
};

}  // namespace quorlin::test
