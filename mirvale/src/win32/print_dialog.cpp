#include "win32/print_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "win32/paper_devmode.h"
#include "win32/wide_text.h"

namespace mirvale {
namespace {

// Owns the printer DC the dialog returned.
class PrinterDc {
 public:
  explicit PrinterDc(HDC dc) : m_dc(dc) {}
  ~PrinterDc() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }
  PrinterDc(const PrinterDc&) = delete;
  PrinterDc& operator=(const PrinterDc&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// The whole sheet in the printer's device pixels; its origin lies outside the printable
// area by the printer's unprintable margin.
PixelRect DevicePaper(HDC printer) {
  return {-GetDeviceCaps(printer, PHYSICALOFFSETX), -GetDeviceCaps(printer, PHYSICALOFFSETY),
          GetDeviceCaps(printer, PHYSICALWIDTH), GetDeviceCaps(printer, PHYSICALHEIGHT)};
}

bool PrintPages(HDC printer, const PageSet& pages, int first, int last) {
  const std::wstring name = Wide(pages.Job().name.empty() ? "Table" : pages.Job().name);
  DOCINFOW document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = name.c_str();
  if (StartDocW(printer, &document) <= 0) return false;
  const PixelRect paper = DevicePaper(printer);
  for (int page = first; page <= last; ++page) {
    if (StartPage(printer) <= 0) {
      AbortDoc(printer);
      return false;
    }
    pages.Draw(printer, page, paper);
    if (EndPage(printer) <= 0) {
      AbortDoc(printer);
      return false;
    }
  }
  return EndDoc(printer) > 0;
}

}  // namespace

bool PrintWithDialog(const PageSet& pages, HWND owner) {
  const int count = std::max(1, pages.Count());
  PRINTDLGW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner != nullptr && IsWindow(owner) ? owner : nullptr;
  GlobalMemory devMode = DevModeFor(pages.Job().paper);
  dialog.hDevMode = devMode.release();
  dialog.hDevNames = DevNamesOfDefaultPrinter().release();
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  dialog.nMinPage = 1;
  dialog.nMaxPage = static_cast<WORD>(std::min(count, 0xFFFF));
  dialog.nFromPage = 1;
  dialog.nToPage = dialog.nMaxPage;
  const bool confirmed = PrintDlgW(&dialog) != FALSE;
  devMode.reset(dialog.hDevMode);
  GlobalMemory devNames(dialog.hDevNames);
  PrinterDc printer(dialog.hDC);
  if (!confirmed || printer.Get() == nullptr) return false;
  const bool range = (dialog.Flags & PD_PAGENUMS) != 0;
  const int first = range ? std::clamp<int>(dialog.nFromPage, 1, count) : 1;
  const int last = range ? std::clamp<int>(dialog.nToPage, first, count) : count;
  return PrintPages(printer.Get(), pages, first, last);
}

}  // namespace mirvale
