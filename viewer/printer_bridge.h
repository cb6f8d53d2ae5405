#pragma once

#include <string>

#include "mirvale.h"
#include "profiles/profile.h"

// The dialog's Preview, Print and Printer setup buttons hand the page the list shows to the
// printer library. Each call creates one printer object and destroys it before returning;
// the list and the window are used only until then. A library that gives no printer object
// makes the call do nothing, and nothing is reported.
namespace quorlin::viewer {

using PrinterLibrary = profile::PrinterLibrary;

enum class PageOutput { kPreview, kPrint };

// Over the printer library the profile links at load time (none in the legacy profile).
// The table name is in the host's code page.
void PreviewPage(MirvaleListControl list, const std::string& tableName);
void PrintPage(MirvaleListControl list, const std::string& tableName);
void SetUpPrinter(MirvaleWindow parent);

// The same steps over a given printer library, for tests.
void SendPageToPrinter(const PrinterLibrary& library, MirvaleListControl list,
                       const std::string& tableName, PageOutput output);
void SetUpPrinterWith(const PrinterLibrary& library, MirvaleWindow parent);

}  // namespace quorlin::viewer
