#include "viewer/wx/printer_bridge.h"

#include <wx/string.h>

#include "mirvale.h"
#include "platform/linux/host_locale_guard.h"
#include "platform/linux/toolkit_text.h"
#include "profiles/profile.h"
#include "viewer/wx/printer_library.h"

namespace quorlin::viewer {
namespace {

// The settings file the printer library keeps its page setup in. On Linux this is a file
// named "d:\test.ini" in the current directory: the name has no drive or folder meaning here.
constexpr char kPrinterSettingsPath[] = "d:\\test.ini";

// Destroys the printer object through the library that made it, on every way out.
class PrinterObject {
 public:
  explicit PrinterObject(const PrinterLibrary& library)
      : m_library(library), m_printer(library.create != nullptr ? library.create() : nullptr) {}
  ~PrinterObject() {
    if (m_printer != nullptr) m_library.destroy(m_printer);
  }
  PrinterObject(const PrinterObject&) = delete;
  PrinterObject& operator=(const PrinterObject&) = delete;

  PLPrinter* operator->() const { return m_printer; }
  explicit operator bool() const { return m_printer != nullptr; }

 private:
  const PrinterLibrary& m_library;
  PLPrinter* m_printer;
};

// The table name arrives in the host's code page; the printer library takes UTF-8.
std::string PrinterText(const std::string& hostText) {
  return platform::ToToolkitText(hostText).utf8_string();
}

// The printer library the profile links at load time; none in a profile without printing.
PrinterLibrary LinkedPrinterLibrary() {
  const profile::PrinterLibrary& linked = profile::Active().printer;
  return {linked.create, linked.destroy};
}

}  // namespace

void SendPageToPrinter(const PrinterLibrary& library, wxListCtrl& list,
                       const std::string& tableName, PageOutput output) {
  // Print and page-setup dialogs may switch the C locale; the host's must stay as it was.
  platform::HostLocaleGuard hostLocale;
  PrinterObject printer(library);
  if (!printer) return;
  // The printer copies what it needs from the list here: the list is valid only until the
  // button's handler returns.
  printer->SetListControl(&list);
  printer->SetTableName(PrinterText(tableName), 1);
  printer->SetOptionA(1);
  printer->SetOptionB(1, 0);
  printer->SetOptionC(1, 0);
  if (output == PageOutput::kPreview) {
    printer->Preview();
  } else {
    printer->Print();
  }
}

void SetUpPrinterWith(const PrinterLibrary& library, wxWindow& parent) {
  platform::HostLocaleGuard hostLocale;
  PrinterObject printer(library);
  if (!printer) return;
  printer->PrinterSetup(kPrinterSettingsPath, &parent);
}

void PreviewPage(wxListCtrl& list, const std::string& tableName) {
  SendPageToPrinter(LinkedPrinterLibrary(), list, tableName, PageOutput::kPreview);
}

void PrintPage(wxListCtrl& list, const std::string& tableName) {
  SendPageToPrinter(LinkedPrinterLibrary(), list, tableName, PageOutput::kPrint);
}

void SetUpPrinter(wxWindow& parent) {
  SetUpPrinterWith(LinkedPrinterLibrary(), parent);
}

}  // namespace quorlin::viewer
