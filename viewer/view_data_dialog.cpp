#include "viewer/view_data_dialog.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <stdexcept>

#include "platform/db_exception.h"
#include "platform/resources.h"
#include "profiles/profile.h"
#include "resources/message_ids.h"
#include "resources/view_data_ids.h"
#include "viewer/dialog_failures.h"

namespace quorlin::viewer {
namespace {

using platform::CDBException;
using namespace quorlin::resources;

constexpr int kColumnWidth = 80;
constexpr int kNavigationButtons[] = {kFirstButton, kLastButton, kNextPageButton, kPrevPageButton};

const profile::ViewerRules& Rules() {
  return profile::Active().viewer;
}

// A move to the first or the last record whose failure is reported. True when the action
// goes on: after a success, and after a failure where the profile lets the action go on
// from wherever the recordset stands.
template <typename Move>
bool MoveReportingFailure(Move&& move) {
  try {
    move();
  } catch (const CDBException& e) {
    ReportDatabaseFailure(e);
    return !Rules().failedMoveEndsAction;
  }
  return true;
}

// The page-number field holds what UpdateFields wrote; anything else leaves the member as
// it is.
bool ParsePageNumber(const std::string& text, int& pageNo) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < INT_MIN || value > INT_MAX) return false;
  pageNo = static_cast<int>(value);
  return true;
}

}  // namespace

ViewerRecordset& ViewDataDialog::Recordset() const {
  if (m_recordset == nullptr) throw std::logic_error("The View data dialog has no recordset.");
  return *m_recordset;
}

DialogSurface& ViewDataDialog::Surface() const {
  if (m_surface == nullptr) throw std::logic_error("The View data dialog has no window.");
  return *m_surface;
}

bool ViewDataDialog::OnInitDialog() {
  UpdateFields();
  BuildColumns();
  m_rowsPerPage = std::max(m_rowsPerPage, 1);
  OnFirst();
  if (m_tableName.empty() && Rules().namesUnnamedTables) {
    m_tableName = platform::LoadResourceString(kDatasheet);
  }
  UpdateFields();
  return true;
}

void ViewDataDialog::BuildColumns() {
  ViewerRecordset& recordset = Recordset();
  const int count = recordset.FieldCount();
  for (int i = 0; i < count; ++i) {
    if (Surface().InsertColumn(i, recordset.FieldName(i), kColumnWidth) != i) break;
  }
}

bool ViewDataDialog::FillPage() {
  ViewerRecordset& recordset = Recordset();
  DialogSurface& surface = Surface();
  surface.ClearList();
  if (recordset.IsBOF() && recordset.IsEOF()) {
    EnableNavigation(false);
    surface.ShowMessage(kNoData);
    return true;
  }
  EnableNavigation(true);
  if (recordset.IsEOF()) {
    surface.ShowMessage(kToTheEnd);
    return true;
  }
  const int columns = recordset.FieldCount();
  // A short page ends at the end of the data, silently, and so does any database failure:
  // every row and cell placed so far stays.
  int row = 0;
  try {
    for (; row < m_rowsPerPage && !recordset.IsEOF(); ++row) {
      for (int column = 0; column < columns; ++column) {
        const std::string text = recordset.FieldValue(column);
        if (column == 0) {
          surface.InsertItem(row, text);
        } else {
          surface.SetSubItem(row, column, text);
        }
      }
      recordset.MoveNext();
    }
  } catch (const CDBException&) {
    return false;
  }
  return row == m_rowsPerPage;
}

void ViewDataDialog::ShowRows(const std::vector<std::string>& pageTexts, int columnCount) {
  DialogSurface& surface = Surface();
  if (columnCount > 0) {
    int row = 0;
    int column = 0;
    for (const std::string& text : pageTexts) {
      if (column == 0) {
        surface.InsertItem(row, text);
      } else {
        surface.SetSubItem(row, column, text);
      }
      if (++column == columnCount) {
        column = 0;
        ++row;
      }
    }
  }
  UpdateFields();
}

void ViewDataDialog::OnFirst() {
  try {
    if (!MoveReportingFailure([&] { Recordset().MoveFirst(); })) return;
    m_pageNo = 0;
    ShowPageNumber(true);
    if (!FillPage() && Rules().shortFillEndsAction) return;
    Surface().EnableControl(kPrevPageButton, false);
    UpdateFields();
  } catch (...) {
    // The dialog stays as it now is and remains usable.
  }
}

void ViewDataDialog::OnLast() {
  try {
    if (!MoveReportingFailure([&] { Recordset().MoveLast(); })) return;
    if (!FillPage() && Rules().shortFillEndsAction) return;
    Surface().EnableControl(kNextPageButton, false);
    ShowPageNumber(false);
  } catch (...) {
    // The dialog stays as it now is and remains usable.
  }
}

void ViewDataDialog::OnNextPage() {
  try {
    ViewerRecordset& recordset = Recordset();
    DialogSurface& surface = Surface();
    surface.ClearList();
    if (recordset.IsBOF()) recordset.MoveNext();
    const int columns = recordset.FieldCount();
    std::vector<std::string> page;
    for (int pass = 0; pass < m_rowsPerPage && !recordset.IsEOF(); ++pass) {
      try {
        const std::vector<std::string> row = ReadRow(columns);
        page.insert(page.end(), row.begin(), row.end());
        recordset.MoveNext();
      } catch (const CDBException& e) {
        if (Rules().failedRowEndsActionSilently) return;
        ReportDatabaseFailure(e);
        break;
      }
    }
    surface.EnableControl(kPrevPageButton, true);
    if (recordset.IsEOF()) {
      surface.EnableControl(kNextPageButton, false);
      surface.Beep();
    }
    ++m_pageNo;
    ShowRows(page, columns);
  } catch (...) {
    // A failed step onto the first record, or any failure that is not the database's, ends
    // the action with the list cleared.
  }
}

void ViewDataDialog::OnPrevPage() {
  try {
    ViewerRecordset& recordset = Recordset();
    DialogSurface& surface = Surface();
    surface.ClearList();
    const int columns = recordset.FieldCount();
    if (recordset.IsEOF()) recordset.MovePrev();
    // Read backward; shown in ascending record order.
    std::vector<std::vector<std::string>> rows;
    for (int pass = 0; pass < m_rowsPerPage && !recordset.IsBOF(); ++pass) {
      try {
        rows.push_back(ReadRow(columns));
        recordset.MovePrev();
      } catch (const CDBException& e) {
        if (Rules().failedRowEndsActionSilently) return;
        // A failed read leaves the recordset where it stood, so every further pass would
        // fail on the same record again: with a large page that is a flood of identical
        // reports, so the collection ends here as it does when paging forward.
        ReportDatabaseFailure(e);
        break;
      }
    }
    surface.EnableControl(kNextPageButton, true);
    if (recordset.IsBOF()) {
      surface.EnableControl(kPrevPageButton, false);
      surface.Beep();
    }
    --m_pageNo;
    std::vector<std::string> page;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
      page.insert(page.end(), row->begin(), row->end());
    }
    ShowRows(page, columns);
  } catch (...) {
    // A failed step back onto the last record, or any failure that is not the database's,
    // ends the action with the list cleared.
  }
}

void ViewDataDialog::UpdateFields() {
  Surface().SetFields(m_tableName, std::to_string(m_pageNo));
}

void ViewDataDialog::UpdateMembers() {
  DialogSurface& surface = Surface();
  m_tableName = surface.TableNameField();
  ParsePageNumber(surface.PageNoField(), m_pageNo);
}

void ViewDataDialog::EnableNavigation(bool enable) {
  for (int id : kNavigationButtons) Surface().EnableControl(id, enable);
}

void ViewDataDialog::ShowPageNumber(bool show) {
  Surface().ShowControl(kPageNoEdit, show);
  Surface().ShowControl(kPageNoLabel, show);
}

std::vector<std::string> ViewDataDialog::ReadRow(int columnCount) {
  std::vector<std::string> row;
  row.reserve(static_cast<std::size_t>(std::max(columnCount, 0)));
  for (int column = 0; column < columnCount; ++column) {
    row.push_back(Recordset().FieldValue(column));
  }
  return row;
}

}  // namespace quorlin::viewer
