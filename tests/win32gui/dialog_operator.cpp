#include "dialog_operator.h"

#include <thread>

#include "resources/view_data_ids.h"

namespace quorlin::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr UINT kClickTimeoutMs = 15000;

// The process's dialog windows: the View data dialog (the one with the record list) and the
// message boxes (all others).
struct ProcessDialogs {
  HWND viewData = nullptr;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (process != GetCurrentProcessId() || wcscmp(name, L"#32770") != 0) return TRUE;
  auto& dialogs = *reinterpret_cast<ProcessDialogs*>(found);
  if (GetDlgItem(window, resources::kRecordList) != nullptr) {
    dialogs.viewData = window;
  } else {
    dialogs.boxes.push_back(window);
  }
  return TRUE;
}

ProcessDialogs FindDialogs() {
  ProcessDialogs dialogs;
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  if (window != nullptr) GetWindowTextW(window, text, 1024);
  return text;
}

// Joins its thread however the scope is left.
struct JoiningThread {
  template <typename Work>
  explicit JoiningThread(Work&& work) : thread(std::forward<Work>(work)) {}
  ~JoiningThread() { thread.join(); }
  std::thread thread;
};

}  // namespace

void DialogOperator::Run(const std::function<void()>& open, std::vector<Step> script) {
  m_displayReturned = false;
  m_deadline = Clock::now() + m_limit;
  {
    JoiningThread boxes([this] { DismissBoxes(); });
    JoiningThread player([this, &script] { PlayScript(script); });
    open();
    m_displayReturned = true;
  }
}

std::vector<ShownBox> DialogOperator::Boxes() const {
  std::lock_guard<std::mutex> hold(m_boxesLock);
  return m_boxes;
}

void DialogOperator::Fail(const std::string& what, HWND dialog) {
  m_failures.push_back(what);
  // Cancel, as Esc would, until the dialog is gone; the box thread clears boxes in the way.
  while (dialog != nullptr && IsWindow(dialog) && !m_displayReturned) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

void DialogOperator::PlayScript(const std::vector<Step>& script) {
  HWND dialog = nullptr;
  // The dialog counts as open once the operator could use it: shown, with no box before it.
  for (;;) {
    const ProcessDialogs dialogs = FindDialogs();
    if (dialogs.viewData != nullptr && IsWindowVisible(dialogs.viewData) && dialogs.boxes.empty()) {
      dialog = dialogs.viewData;
      break;
    }
    if (m_displayReturned) return;  // no dialog: the case judges that
    if (Clock::now() > m_deadline) return Fail("the dialog did not open in time", dialogs.viewData);
    std::this_thread::sleep_for(kPoll);
  }
  ++m_opened;
  for (std::size_t index = 0; index < script.size(); ++index) {
    while (!script[index](dialog)) {
      if (Clock::now() > m_deadline) {
        return Fail("step " + std::to_string(index) + " did not finish in time", dialog);
      }
      std::this_thread::sleep_for(kPoll);
    }
    if (!IsWindow(dialog) && index + 1 < script.size()) {
      m_failures.push_back("the dialog closed after step " + std::to_string(index));
      return;
    }
  }
  while (IsWindow(dialog)) {
    if (Clock::now() > m_deadline) return Fail("the dialog stayed open after its script", dialog);
    std::this_thread::sleep_for(kPoll);
  }
}

void DialogOperator::DismissBoxes() {
  while (!m_displayReturned) {
    for (HWND box : FindDialogs().boxes) {
      if (!IsWindowVisible(box)) continue;
      {
        std::lock_guard<std::mutex> hold(m_boxesLock);
        m_boxes.push_back({TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))});
      }
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      const auto gone = Clock::now() + std::chrono::seconds(5);
      while (IsWindow(box) && Clock::now() < gone) std::this_thread::sleep_for(kPoll);
    }
    std::this_thread::sleep_for(kPoll);
  }
}

DialogOperator::Step Do(std::function<void(HWND dialog)> action) {
  return [action = std::move(action)](HWND dialog) {
    action(dialog);
    return true;
  };
}

DialogOperator::Step Press(int id) {
  return Do([id](HWND dialog) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, kClickTimeoutMs,
                        &ignored);
  });
}

DialogOperator::Step PressEscape() {
  return Do([](HWND dialog) {
    PostMessageW(GetDlgItem(dialog, resources::kRecordList), WM_KEYDOWN, VK_ESCAPE, 0);
  });
}

}  // namespace quorlin::test
