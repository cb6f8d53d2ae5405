#pragma once

#include <wx/string.h>

#include <vector>

class wxFrame;
class wxListCtrl;

namespace quorlin::test {

using TableRows = std::vector<std::vector<wxString>>;

// A window with a report list filled like the View data dialog fills its list: one column
// per header, one item per row. Needs the toolkit running.
class ReportListWindow {
 public:
  ReportListWindow(const std::vector<wxString>& headers, const TableRows& rows);
  ~ReportListWindow();
  ReportListWindow(const ReportListWindow&) = delete;
  ReportListWindow& operator=(const ReportListWindow&) = delete;

  wxListCtrl& List() { return *m_list; }
  wxFrame& Frame() { return *m_frame; }

 private:
  wxFrame* m_frame;
  wxListCtrl* m_list;
};

// The table most tests print: three columns (the last right-aligned), seven rows, Chinese
// text in a header and in the cells.
std::vector<wxString> OrderHeaders();
TableRows OrderRows();

}  // namespace quorlin::test
