#include "report_list_window.h"

#include <wx/frame.h>
#include <wx/listctrl.h>

namespace quorlin::test {

ReportListWindow::ReportListWindow(const std::vector<wxString>& headers, const TableRows& rows)
    : m_frame(new wxFrame(nullptr, wxID_ANY, "Report list")),
      m_list(new wxListCtrl(m_frame, wxID_ANY, wxDefaultPosition, wxSize(600, 300), wxLC_REPORT)) {
  for (std::size_t column = 0; column < headers.size(); ++column) {
    m_list->InsertColumn(
        static_cast<long>(column), headers[column],
        column + 1 == headers.size() && column > 0 ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT, 120);
  }
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const long item = m_list->InsertItem(static_cast<long>(row), rows[row].at(0));
    for (std::size_t column = 1; column < rows[row].size(); ++column) {
      m_list->SetItem(item, static_cast<int>(column), rows[row][column]);
    }
  }
}

ReportListWindow::~ReportListWindow() {
  m_frame->Destroy();
}

std::vector<wxString> OrderHeaders() {
  return {"OrderNo", wxString::FromUTF8("客户名称"), "Amount"};
}

TableRows OrderRows() {
  TableRows rows;
  for (int row = 1; row <= 7; ++row) {
    rows.push_back({wxString::Format("A-%03d", row),
                    wxString::FromUTF8("上海客户") + wxString::Format(" %d", row),
                    wxString::Format("%d.50", row * 100)});
  }
  return rows;
}

}  // namespace quorlin::test
