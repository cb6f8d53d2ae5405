#include "modal_dialog_script.h"

#include <wx/msgdlg.h>
#include <wx/timer.h>

#include "operator_hand.h"

namespace quorlin::test {
namespace {

constexpr int kStepMilliseconds = 150;
constexpr int kTimeLimitMilliseconds = 40000;
constexpr int kGraceTicks = 20;

}  // namespace

class ModalDialogScript::Ticker : public wxTimer {
 public:
  explicit Ticker(std::function<void()> onTick) : m_onTick(std::move(onTick)) {}
  void Notify() override { m_onTick(); }

 private:
  std::function<void()> m_onTick;
};

ModalDialogScript::ModalDialogScript(Matcher isTarget) : m_isTarget(std::move(isTarget)) {
  Register();
}

ModalDialogScript::~ModalDialogScript() {
  Unregister();
}

std::string ModalDialogScript::FailureText() const {
  std::string text;
  for (const std::string& failure : m_failures) text += failure + "\n";
  return text;
}

void ModalDialogScript::Script(std::vector<Step> steps) {
  m_steps = std::move(steps);
  m_next = 0;
}

int ModalDialogScript::Enter(wxDialog* dialog) {
  if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
    m_messageBoxes.push_back(box->GetMessage());
    return wxID_OK;
  }
  if (m_dialog != nullptr || !m_isTarget(*dialog)) return wxID_NONE;
  ++m_opened;
  m_dialog = dialog;
  m_ticksAfterEnd = 0;
  // The toolkit runs by now (the dialog exists), so the timers can be made.
  m_stepTicker = std::make_unique<Ticker>([this] { RunNextStep(); });
  m_watchdog = std::make_unique<Ticker>([this] { GiveUp(); });
  m_stepTicker->Start(kStepMilliseconds);
  m_watchdog->StartOnce(kTimeLimitMilliseconds);
  return wxID_NONE;
}

void ModalDialogScript::Exit(wxDialog* dialog) {
  if (dialog != m_dialog) return;
  m_stepTicker->Stop();
  m_watchdog->Stop();
  m_dialog = nullptr;
  if (m_next < m_steps.size()) {
    m_failures.push_back("the dialog closed before step " + std::to_string(m_next + 1) + " of " +
                         std::to_string(m_steps.size()));
  }
}

void ModalDialogScript::RunNextStep() {
  if (m_dialog == nullptr || !m_dialog->IsShown()) return;
  if (m_next >= m_steps.size()) {
    // The last step's click may still be on its way through the display server.
    if (++m_ticksAfterEnd < kGraceTicks) return;
    m_failures.push_back("the script ended with the dialog still open");
    GiveUp();
    return;
  }
  if (m_steps[m_next](*m_dialog)) ++m_next;
}

void ModalDialogScript::GiveUp() {
  if (m_dialog == nullptr) return;
  m_failures.push_back("the dialog was still open after the time limit");
  m_next = m_steps.size();
  m_dialog->EndModal(wxID_CANCEL);
}

ModalDialogScript::Step Do(std::function<void(wxDialog&)> action) {
  return [action = std::move(action)](wxDialog& dialog) {
    action(dialog);
    return true;
  };
}

bool ClickButton(wxWindow& button) {
  if (!button.IsShownOnScreen() || !button.IsEnabled()) return false;
  OperatorHand operatorHand;
  const wxRect screen = button.GetScreenRect();
  return operatorHand.MoveTo(wxPoint(screen.GetLeft() + screen.GetWidth() / 2,
                                     screen.GetTop() + screen.GetHeight() / 2)) &&
         operatorHand.Click();
}

}  // namespace quorlin::test
