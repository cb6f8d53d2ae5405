#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog_unavailable_error.h"
#include "platform/resources.h"
#include "resources/view_data_ids.h"
#include "viewer/front_end.h"
#include "viewer/list_layout.h"
#include "viewer/win32/win32_surface.h"

namespace quorlin::viewer {
namespace {

// What the dialog procedure works with while the dialog runs.
struct DialogRun {
  explicit DialogRun(ViewDataDialog& logic) : dialog(logic) {}
  ~DialogRun() { dialog.SetSurface(nullptr); }
  ViewDataDialog& dialog;
  HWND window = nullptr;
  std::unique_ptr<Win32Surface> surface;
  std::exception_ptr initFailure;
  // Where the record list starts, fixed once the template's controls exist.
  int listTop = RecordListRect(0, 0).y;
};

DialogRun* RunOf(HWND window) {
  return reinterpret_cast<DialogRun*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void LayoutList(HWND window, int listTop) {
  HWND list = GetDlgItem(window, resources::kRecordList);
  RECT client = {};
  if (list == nullptr || !GetClientRect(window, &client)) return;
  const PixelRect place =
      RecordListRect(client.right - client.left, client.bottom - client.top, listTop);
  MoveWindow(list, client.left + place.x, client.top + place.y, place.width, place.height, TRUE);
}

// Where the dialog's controls other than the list stand, in client pixels, of those the
// template shows.
std::vector<PixelRect> ShownControlPlaces(HWND dialog, HWND list) {
  std::vector<PixelRect> places;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    // The style, not IsWindowVisible: the dialog itself is not shown while it initialises.
    if (child == list || (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    RECT place = {};
    if (!GetWindowRect(child, &place)) continue;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    places.push_back({static_cast<int>(place.left), static_cast<int>(place.top),
                      static_cast<int>(place.right - place.left),
                      static_cast<int>(place.bottom - place.top)});
  }
  return places;
}

void OnCommand(DialogRun& run, int id) {
  if (id == IDCANCEL) {  // Esc and the close box
    EndDialog(run.window, IDCANCEL);
    return;
  }
  if (run.dialog.OnButton(id) == ButtonResult::kDialogEnds) EndDialog(run.window, IDOK);
}

INT_PTR OnInitDialog(HWND window, LPARAM parameter) {
  auto* run = reinterpret_cast<DialogRun*>(parameter);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(run));
  run->window = window;
  try {
    run->surface = std::make_unique<Win32Surface>(window);
    run->dialog.SetSurface(run->surface.get());
    run->listTop = RecordListTop(
        ShownControlPlaces(window, GetDlgItem(window, resources::kRecordList)), run->listTop);
    LayoutList(window, run->listTop);
    run->dialog.OnInitDialog();
  } catch (...) {
    run->initFailure = std::current_exception();
    EndDialog(window, IDCANCEL);
  }
  return TRUE;  // the system focuses the first tab stop
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(window, lParam);
  DialogRun* run = RunOf(window);
  if (run == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(*run, LOWORD(wParam));
      return TRUE;
    case WM_SIZE:
    case WM_MOVE:
      LayoutList(window, run->listTop);
      return FALSE;
    case WM_DESTROY:
      run->dialog.SetSurface(nullptr);
      run->surface.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

// The dialog template in the user interface language, English when that one is missing, and
// Chinese in a library that has no English.
LPCDLGTEMPLATEW FindTemplate(HMODULE module) {
  const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  const WORD preferred = platform::UserInterfaceIsChinese() ? chinese : english;
  const LPCWSTR name = MAKEINTRESOURCEW(resources::kViewDataTemplateId);
  HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5), name, preferred);  // RT_DIALOG
  if (found == nullptr) found = FindResourceExW(module, MAKEINTRESOURCEW(5), name, english);
  if (found == nullptr) found = FindResourceExW(module, MAKEINTRESOURCEW(5), name, chinese);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  return loaded != nullptr ? static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)) : nullptr;
}

}  // namespace

void RunViewDataDialog(ViewDataDialog& dialog) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const auto module = static_cast<HMODULE>(const_cast<void*>(platform::CurrentResourceModule()));
  const LPCDLGTEMPLATEW dialogTemplate = FindTemplate(module);
  if (dialogTemplate == nullptr) {
    throw platform::DialogUnavailableError("The View data dialog template is missing.");
  }
  DialogRun run(dialog);
  const INT_PTR result = DialogBoxIndirectParamW(module, dialogTemplate, nullptr, DialogProcedure,
                                                 reinterpret_cast<LPARAM>(&run));
  if (run.initFailure) std::rethrow_exception(run.initFailure);
  if (result == -1) {
    throw platform::DialogUnavailableError("SQLDisplay cannot show the View data dialog (error " +
                                           std::to_string(GetLastError()) + ").");
  }
}

}  // namespace quorlin::viewer
