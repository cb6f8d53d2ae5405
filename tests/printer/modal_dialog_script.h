#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/string.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorlin::test {

// Plays the operator of one kind of modal dialog from inside the test process, which shares
// the toolkit with the library under test. When a dialog the matcher accepts opens, the
// steps run one per timer tick inside the dialog's own modal loop, so the dialog paints and
// handles input between them; a step that returns false runs again on the next tick (a wait
// for something the display has still to deliver). A script ends by closing the dialog; if
// the dialog is still open after the time limit, the script cancels it and notes a failure,
// so that no test waits for ever. Message boxes that open meanwhile are recorded and
// answered with OK without being shown.
class ModalDialogScript : public wxModalDialogHook {
 public:
  using Matcher = std::function<bool(wxDialog&)>;
  using Step = std::function<bool(wxDialog&)>;

  explicit ModalDialogScript(Matcher isTarget);
  ~ModalDialogScript() override;

  // The steps for the next matching dialog that opens.
  void Script(std::vector<Step> steps);

  int DialogsOpened() const { return m_opened; }
  const std::vector<std::string>& Failures() const { return m_failures; }
  // The failures, one per line, for a test's message.
  std::string FailureText() const;
  const std::vector<wxString>& MessageBoxes() const { return m_messageBoxes; }
  // Notes a failure seen by a step; the test reports it after the dialog has closed.
  void Fail(const std::string& what) { m_failures.push_back(what); }

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog* dialog) override;

 private:
  class Ticker;
  void RunNextStep();
  void GiveUp();

  Matcher m_isTarget;
  std::vector<Step> m_steps;
  std::size_t m_next = 0;
  int m_ticksAfterEnd = 0;
  wxDialog* m_dialog = nullptr;
  std::unique_ptr<Ticker> m_stepTicker;
  std::unique_ptr<Ticker> m_watchdog;
  int m_opened = 0;
  std::vector<std::string> m_failures;
  std::vector<wxString> m_messageBoxes;
};

// A step that is done once it has run.
ModalDialogScript::Step Do(std::function<void(wxDialog&)> action);

// A control of the dialog by its window name, or null.
template <typename Control>
Control* FindControl(wxWindow& dialog, const wxString& name) {
  return dynamic_cast<Control*>(wxWindow::FindWindowByName(name, &dialog));
}

// Clicks a button with the mouse through the display server (wxUIActionSimulator), as an
// operator would; false if the button is missing, hidden or disabled.
bool ClickButton(wxWindow& button);

}  // namespace quorlin::test
