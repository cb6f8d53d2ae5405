#include "recording_surface.h"

#include <algorithm>

#include "profiles/profile.h"
#include "resources/view_data_template.h"

namespace quorlin::test {

RecordingSurface::RecordingSurface() {
  // The controls of the profile's own template, as the front end creates them.
  const resources::DialogTemplate& dialog = profile::Active().viewDataTemplate(false);
  for (std::size_t i = 0; i < dialog.controlCount; ++i) {
    const resources::TemplateControl& control = dialog.controls[i];
    m_enabled[control.id] = true;
    m_shown[control.id] = control.kind != resources::ControlKind::kHiddenButton;
  }
}

void RecordingSurface::ClearList() {
  m_rows.clear();
}

int RecordingSurface::InsertColumn(int index, const std::string& heading, int width) {
  if (m_columnLimit >= 0 && static_cast<int>(m_columns.size()) >= m_columnLimit) return -1;
  const int at = std::clamp(index, 0, static_cast<int>(m_columns.size()));
  m_columns.insert(m_columns.begin() + at, Column{heading, width});
  return at;
}

int RecordingSurface::InsertItem(int row, const std::string& text) {
  // A list control puts an item beyond its end at the end.
  const int at = std::clamp(row, 0, static_cast<int>(m_rows.size()));
  m_rows.insert(m_rows.begin() + at, std::vector<std::string>(m_columns.size()));
  if (!m_rows[at].empty()) m_rows[at][0] = text;
  return at;
}

void RecordingSurface::SetSubItem(int row, int column, const std::string& text) {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) {
    m_faults.push_back("row " + std::to_string(row) + " is not in the list");
    return;
  }
  // A list control ignores a subitem beyond its columns, as this does.
  if (column < 1 || column >= static_cast<int>(m_columns.size())) return;
  m_rows[row][column] = text;
}

void RecordingSurface::EnableControl(int id, bool enable) {
  m_enabled.at(id) = enable;
  m_touched.insert(id);
}

void RecordingSurface::ShowControl(int id, bool show) {
  m_shown.at(id) = show;
  m_touched.insert(id);
}

void RecordingSurface::SetFields(const std::string& tableName, const std::string& pageNo) {
  m_tableNameField = tableName;
  m_pageNoField = pageNo;
}

std::vector<int> RecordingSurface::ShownIds() const {
  std::vector<int> ids;
  for (const std::vector<std::string>& row : m_rows) {
    ids.push_back(row.empty() ? -1 : std::stoi(row[0]));
  }
  return ids;
}

std::set<int> RecordingSurface::TakeTouchedControls() {
  std::set<int> touched;
  touched.swap(m_touched);
  return touched;
}

}  // namespace quorlin::test
