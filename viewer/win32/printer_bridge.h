#pragma once

#include <windows.h>

#include <string>

class PLPrinter;

// The dialog's Preview, Print and Printer setup buttons hand the page the list shows to the
// printer library. Each call creates one printer object and destroys it before returning;
// the list control is used only until then. A library that gives no printer object makes
// the call do nothing, and nothing is reported.
namespace quorlin::viewer {

struct PrinterLibrary {
  PLPrinter* (*create)();
  void (*destroy)(PLPrinter*);
};

enum class PageOutput { kPreview, kPrint };

// Over the printer library the profile links at load time (none in the legacy profile).
// The table name is in the host's code page.
void PreviewPage(HWND list, const std::string& tableName);
void PrintPage(HWND list, const std::string& tableName);
void SetUpPrinter(HWND dialog);

// The same steps over a given printer library, for tests.
void SendPageToPrinter(const PrinterLibrary& library, HWND list, const std::string& tableName,
                       PageOutput output);
void SetUpPrinterWith(const PrinterLibrary& library, HWND dialog);

}  // namespace quorlin::viewer
