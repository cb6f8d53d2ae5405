#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace quorlin::test {

// A message box the operator dismissed.
struct ShownBox {
  std::wstring caption;
  std::wstring text;
};

// Plays the operator of the View data dialog from threads of the test process while the
// library's modal dialog runs on the calling thread: one thread plays a script of steps
// against the dialog, each once the previous one is done; another dismisses every message
// box with its OK button and notes its text. A step that returns false runs again a little
// later. The script must leave the dialog closed; if the dialog is still open when the time
// limit runs out, the operator notes a failure and closes it, so that no case waits for ever.
class DialogOperator {
 public:
  using Step = std::function<bool(HWND dialog)>;

  explicit DialogOperator(std::chrono::milliseconds limit) : m_limit(limit) {}

  // Runs open, which shows the dialog and returns once it has closed, with the script.
  void Run(const std::function<void()>& open, std::vector<Step> script);

  int DialogsOpened() const { return m_opened; }
  std::vector<ShownBox> Boxes() const;
  const std::vector<std::string>& Failures() const { return m_failures; }

 private:
  void PlayScript(const std::vector<Step>& script);
  void DismissBoxes();
  void Fail(const std::string& what, HWND dialog);

  std::chrono::milliseconds m_limit;
  std::chrono::steady_clock::time_point m_deadline;
  std::atomic<bool> m_displayReturned{false};
  int m_opened = 0;
  mutable std::mutex m_boxesLock;
  std::vector<ShownBox> m_boxes;
  std::vector<std::string> m_failures;  // written by the script thread only, read after it
};

// A step that is done once it has run.
DialogOperator::Step Do(std::function<void(HWND dialog)> action);
// Clicks a button and returns when the dialog has handled the click (message boxes
// included).
DialogOperator::Step Press(int id);
// Presses Esc in the record list.
DialogOperator::Step PressEscape();

}  // namespace quorlin::test
