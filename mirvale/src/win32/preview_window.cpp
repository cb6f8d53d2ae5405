#include "win32/preview_window.h"

#include <algorithm>
#include <string>

#include "win32/print_dialog.h"
#include "win32/wide_text.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace mirvale {
namespace {

constexpr int kGap = 16;  // grey around the sheet, in pixels
constexpr COLORREF kBackground = RGB(128, 128, 128);

HINSTANCE ThisModule() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// What the window procedure works with while the preview runs.
struct PreviewState {
  const PageSet& pages;
  HWND owner;
  int page = 1;
};

PreviewState* StateOf(HWND window) {
  return reinterpret_cast<PreviewState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::wstring Title(const PreviewState& state) {
  const std::string& name = state.pages.Job().name;
  std::wstring title = name.empty() ? L"Print preview" : L"Print preview - " + Wide(name);
  return title + L" (page " + std::to_wstring(state.page) + L" of " +
         std::to_wstring(std::max(1, state.pages.Count())) + L")";
}

// The sheet as large as the client area allows, centred, keeping the paper's proportions.
PixelRect SheetPlacement(const RECT& client, const PixelRect& paper) {
  const int roomX = std::max(1, static_cast<int>(client.right - client.left) - 2 * kGap);
  const int roomY = std::max(1, static_cast<int>(client.bottom - client.top) - 2 * kGap);
  const double scale = std::min(static_cast<double>(roomX) / std::max(1, paper.width),
                                static_cast<double>(roomY) / std::max(1, paper.height));
  const int width = std::max(1, static_cast<int>(paper.width * scale));
  const int height = std::max(1, static_cast<int>(paper.height * scale));
  return {(client.right - width) / 2, (client.bottom - height) / 2, width, height};
}

void Paint(HWND window, const PreviewState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &client, background);
  DeleteObject(background);
  const PixelRect sheet = SheetPlacement(client, state.pages.Paper());
  const RECT paper = {sheet.x, sheet.y, sheet.x + sheet.width, sheet.y + sheet.height};
  FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  state.pages.Draw(dc, state.page, sheet);
  EndPaint(window, &paint);
}

void TurnTo(HWND window, PreviewState& state, int page) {
  const int clamped = std::clamp(page, 1, std::max(1, state.pages.Count()));
  if (clamped == state.page) return;
  state.page = clamped;
  SetWindowTextW(window, Title(state).c_str());
  InvalidateRect(window, nullptr, TRUE);
}

void OnKey(HWND window, PreviewState& state, WPARAM key) {
  switch (key) {
    case VK_ESCAPE:
      DestroyWindow(window);
      break;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
      TurnTo(window, state, state.page + 1);
      break;
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
      TurnTo(window, state, state.page - 1);
      break;
    case VK_HOME:
      TurnTo(window, state, 1);
      break;
    case VK_END:
      TurnTo(window, state, state.pages.Count());
      break;
    case 'P':
      PrintWithDialog(state.pages, window);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  PreviewState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      Paint(window, *state);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SIZE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_KEYDOWN:
      OnKey(window, *state, wParam);
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The window class, registered for one preview and removed after it: the library may be
// unloaded in between, and a class must not outlive its window procedure.
class PreviewClass {
 public:
  PreviewClass() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PreviewProcedure;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kPreviewWindowClass;
    m_registered = RegisterClassExW(&windowClass) != 0;
  }
  ~PreviewClass() {
    if (m_registered) UnregisterClassW(kPreviewWindowClass, ThisModule());
  }
  PreviewClass(const PreviewClass&) = delete;
  PreviewClass& operator=(const PreviewClass&) = delete;
  bool Registered() const { return m_registered; }

 private:
  bool m_registered = false;
};

// Keeps the owner disabled while the preview runs, and gives it back its input after.
class DisabledOwner {
 public:
  explicit DisabledOwner(HWND owner) : m_owner(owner) {
    if (m_owner != nullptr) EnableWindow(m_owner, FALSE);
  }
  ~DisabledOwner() {
    if (m_owner == nullptr || !IsWindow(m_owner)) return;
    EnableWindow(m_owner, TRUE);
    SetActiveWindow(m_owner);
  }
  DisabledOwner(const DisabledOwner&) = delete;
  DisabledOwner& operator=(const DisabledOwner&) = delete;

 private:
  HWND m_owner;
};

// Most of the screen, so that a whole page shows at a readable size.
RECT Placement() {
  RECT work = {0, 0, 800, 600};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = work.right - work.left;
  const int height = work.bottom - work.top;
  return {work.left + width / 10, work.top + height / 20, work.right - width / 10,
          work.bottom - height / 20};
}

// Runs messages until the preview window is gone. A quit request that arrives meanwhile is
// passed on to the caller's own loop.
void RunUntilClosed(HWND preview) {
  MSG message;
  while (IsWindow(preview)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

bool ShowModalPreview(const PageSet& pages, HWND owner) {
  PreviewClass windowClass;
  if (!windowClass.Registered()) return false;
  PreviewState state{pages, owner};
  const RECT place = Placement();
  HWND preview = CreateWindowExW(0, kPreviewWindowClass, Title(state).c_str(), WS_OVERLAPPEDWINDOW,
                                 place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, owner, nullptr, ThisModule(), &state);
  if (preview == nullptr) return false;
  DisabledOwner disabled(owner);
  ShowWindow(preview, SW_SHOW);
  SetForegroundWindow(preview);
  SetFocus(preview);
  RunUntilClosed(preview);
  if (IsWindow(preview)) DestroyWindow(preview);
  return true;
}

}  // namespace mirvale
