#pragma once

#include <string>

class PLPrinter;
class wxListCtrl;
class wxWindow;

// The printer bridge's steps over a given printer library. The bridge functions of
// printer_bridge.h run them on the library the full profile links at load time; tests run
// them on a library of their own making.
namespace quorlin::viewer {

struct PrinterLibrary {
  PLPrinter* (*create)();
  void (*destroy)(PLPrinter*);
};

enum class PageOutput { kPreview, kPrint };

// One printer object for one button press: hands it the list and the table name, sets the
// options, previews or prints, and destroys it before returning. A library that gives no
// printer object makes this do nothing.
void SendPageToPrinter(const PrinterLibrary& library, wxListCtrl& list,
                       const std::string& tableName, PageOutput output);

// Lets the operator set up the printer, keeping the settings in the fixed settings file.
void SetUpPrinterWith(const PrinterLibrary& library, wxWindow& parent);

}  // namespace quorlin::viewer
