#include "window_watcher.h"

#include <chrono>
#include <vector>

namespace quorlin::test {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr int kGiveUpAfterPolls = 200;

struct Search {
  const wchar_t* className;
  const std::wstring& title;
  HWND found = nullptr;
};

BOOL CALLBACK Consider(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
      lstrcmpiW(className, search.className) != 0 ||
      WindowTitle(window).find(search.title) == std::wstring::npos) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

WindowWatcher::WindowWatcher(std::function<bool()> look)
    : m_look(std::move(look)), m_thread([this] {
        for (int poll = 0; poll < kGiveUpAfterPolls && !m_stop; ++poll) {
          std::this_thread::sleep_for(kPollInterval);
          if (m_look()) {
            m_done = true;
            return;
          }
        }
      }) {}

WindowWatcher::~WindowWatcher() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
}

bool WindowWatcher::Done() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  return m_done;
}

HWND FindProcessWindow(const wchar_t* className, const std::wstring& title) {
  Search search{className, title};
  EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowTitle(HWND window) {
  std::vector<wchar_t> text(512, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace quorlin::test
