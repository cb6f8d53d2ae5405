#include "dialog_driver.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>

#include "resources/view_data_template.h"

namespace quorlin::test {
namespace {

// Long enough for the dialog to paint between steps, short enough for a quick walk.
constexpr int kStepDelayMs = 150;
constexpr int kTimeLimitMs = 40000;

bool IsViewDataDialog(wxDialog* dialog) {
  return dialog != nullptr &&
         dynamic_cast<wxListCtrl*>(dialog->FindWindow(resources::kRecordList)) != nullptr;
}

}  // namespace

class ViewDataDriver::StepTimer : public wxTimer {
 public:
  explicit StepTimer(std::function<void()> action) : m_action(std::move(action)) {}
  void Notify() override { m_action(); }

 private:
  std::function<void()> m_action;
};

ViewDataDriver::ViewDataDriver() {
  Register();
}

ViewDataDriver::~ViewDataDriver() {
  Unregister();
}

int ViewDataDriver::Enter(wxDialog* dialog) {
  if (!IsViewDataDialog(dialog)) {
    ++m_otherModals;
    return wxID_NONE;
  }
  ++m_opened;
  m_dialog = dialog;
  m_next = 0;
  m_stepTimer = std::make_unique<StepTimer>([this] { RunNextStep(); });
  m_watchdog = std::make_unique<StepTimer>([this] { GiveUp(); });
  m_stepTimer->StartOnce(kStepDelayMs);
  m_watchdog->StartOnce(kTimeLimitMs);
  return wxID_NONE;
}

void ViewDataDriver::Exit(wxDialog* dialog) {
  if (dialog != m_dialog) {
    --m_otherModals;
    return;
  }
  m_dialog = nullptr;
  m_stepTimer.reset();
  m_watchdog.reset();
  m_steps.clear();
}

bool ViewDataDriver::DialogUsable() const {
  return m_dialog != nullptr && m_dialog->IsModal() && m_otherModals == 0;
}

void ViewDataDriver::RunNextStep() {
  if (m_dialog == nullptr) return;
  if (!DialogUsable()) {
    m_stepTimer->StartOnce(kStepDelayMs);
    return;
  }
  if (m_next >= m_steps.size()) {
    m_failures.push_back("the script ended with the dialog still open");
    m_dialog->EndModal(wxID_CANCEL);
    return;
  }
  wxDialog* const dialog = m_dialog;
  if (m_steps[m_next](*dialog)) ++m_next;
  // The step may have closed the dialog; the next one runs once the loop is idle again.
  if (m_dialog == dialog && m_dialog->IsModal() && m_stepTimer) {
    m_stepTimer->StartOnce(kStepDelayMs);
  }
}

void ViewDataDriver::GiveUp() {
  if (m_dialog == nullptr) return;
  if (!DialogUsable()) {
    // A box that never goes away is the watcher's to report.
    m_watchdog->StartOnce(kStepDelayMs);
    return;
  }
  m_failures.push_back("the dialog was still open after the time limit");
  m_dialog->EndModal(wxID_CANCEL);
}

ViewDataDriver::Step Do(std::function<void(wxDialog&)> action) {
  return [action = std::move(action)](wxDialog& dialog) {
    action(dialog);
    return true;
  };
}

std::vector<wxString> DialogState::FirstColumn() const {
  std::vector<wxString> column;
  for (const std::vector<wxString>& row : rows) column.push_back(row.empty() ? "" : row[0]);
  return column;
}

DialogState ReadState(wxDialog& dialog) {
  DialogState state;
  state.title = dialog.GetTitle();
  state.clientSize = dialog.GetClientSize();
  if (auto* list = dynamic_cast<wxListCtrl*>(dialog.FindWindow(resources::kRecordList))) {
    state.listRect = list->GetRect();
    for (int column = 0; column < list->GetColumnCount(); ++column) {
      wxListItem heading;
      heading.SetMask(wxLIST_MASK_TEXT);
      list->GetColumn(column, heading);
      state.headings.push_back(heading.GetText());
    }
    for (long row = 0; row < list->GetItemCount(); ++row) {
      std::vector<wxString> cells;
      for (int column = 0; column < list->GetColumnCount(); ++column) {
        cells.push_back(list->GetItemText(row, column));
      }
      state.rows.push_back(std::move(cells));
    }
  }
  for (wxWindow* child : dialog.GetChildren()) {
    state.enabled[child->GetId()] = child->IsEnabled();
    state.shown[child->GetId()] = child->IsShown();
  }
  if (auto* field = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(resources::kTableNameEdit))) {
    state.tableName = field->GetValue();
  }
  if (auto* field = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(resources::kPageNoEdit))) {
    state.pageNo = field->GetValue();
  }
  return state;
}

void Press(wxDialog& dialog, int id) {
  auto* button = dynamic_cast<wxButton*>(dialog.FindWindow(id));
  if (button == nullptr || !button->IsEnabled() || !button->IsShown()) {
    ADD_FAILURE() << "button " << id << " cannot be clicked";
    return;
  }
  wxCommandEvent click(wxEVT_BUTTON, id);
  click.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(click);
}

}  // namespace quorlin::test
