#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace quorlin::test {

// Plays the operator from a thread of its own while the code under test runs a modal loop
// on the test's thread: calls look() every 100 ms until it returns true or 20 s have passed.
// Joined when the object goes.
class WindowWatcher {
 public:
  explicit WindowWatcher(std::function<bool()> look);
  ~WindowWatcher();
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;

  // After the code under test returned: whether look() ever said it was done.
  bool Done();

 private:
  std::function<bool()> m_look;
  std::atomic<bool> m_done{false};
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

// A visible window of this process of the given class ("#32770" for dialogs) whose title
// contains title (any title when empty); null when there is none.
HWND FindProcessWindow(const wchar_t* className, const std::wstring& title = L"");

std::wstring WindowTitle(HWND window);

}  // namespace quorlin::test
