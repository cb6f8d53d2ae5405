#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/string.h>
#include <wx/timer.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "artefacts.h"

namespace quorlin::test {

// What the View data dialog showed at one moment, read from its controls.
struct DialogState {
  wxString title;
  std::vector<wxString> headings;
  std::vector<std::vector<wxString>> rows;
  std::map<int, bool> enabled;
  std::map<int, bool> shown;
  wxString tableName;
  wxString pageNo;
  wxRect listRect;  // in client pixels
  wxSize clientSize;

  // The first column of every row.
  std::vector<wxString> FirstColumn() const;
};

// Plays the operator of the View data dialog from inside the test process, which shares the
// toolkit with the library: when the library opens the dialog modally, the driver runs a
// script of steps in the dialog's own event loop, one after the other, each after the
// previous one has finished. A step that returns false runs again a little later (a wait for
// something the display has still to deliver). A script must end by closing the dialog; if it does
// not, or the dialog is still open after the time limit, the driver closes it and notes a failure,
// so that no test waits for ever.
class ViewDataDriver : public wxModalDialogHook {
 public:
  using Step = std::function<bool(wxDialog&)>;

  ViewDataDriver();
  ~ViewDataDriver() override;

  // The steps for the next View data dialog that opens.
  void Script(std::vector<Step> steps) { m_steps = std::move(steps); }
  // How many View data dialogs opened, and what went wrong while driving them.
  int DialogsOpened() const { return m_opened; }
  const std::vector<std::string>& Failures() const { return m_failures; }

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog* dialog) override;

 private:
  class StepTimer;
  void RunNextStep();
  void GiveUp();
  // True while the operator could use the dialog: it runs its own modal loop, and no message
  // box stands in front of it.
  bool DialogUsable() const;

  std::vector<Step> m_steps;
  std::size_t m_next = 0;
  wxDialog* m_dialog = nullptr;
  std::unique_ptr<StepTimer> m_stepTimer;
  std::unique_ptr<StepTimer> m_watchdog;
  // Other modal dialogs open now (the library's message boxes): steps wait for them to go,
  // as an operator's clicks would.
  int m_otherModals = 0;
  int m_opened = 0;
  std::vector<std::string> m_failures;
};

// A step that is done once it has run.
ViewDataDriver::Step Do(std::function<void(wxDialog&)> action);

// Steps, and what they read.
DialogState ReadState(wxDialog& dialog);
// Presses a button the way a click does; fails (and presses nothing) if the operator could
// not click it because it is disabled or hidden.
void Press(wxDialog& dialog, int id);

}  // namespace quorlin::test
