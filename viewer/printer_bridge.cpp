#include "viewer/printer_bridge.h"

#include "platform/host_locale_guard.h"
#include "platform/utf8_text.h"

namespace quorlin::viewer {
namespace {

// The settings file the printer library keeps its page setup in. On Linux this is a file
// named "d:\test.ini" in the current directory: the name has no drive or folder meaning there.
constexpr char kPrinterSettingsPath[] = "d:\\test.ini";

// Destroys the printer object through the library that made it, on every way out.
class PrinterObject {
 public:
  explicit PrinterObject(const PrinterLibrary& library)
      : m_library(library), m_printer(library.create != nullptr ? library.create() : nullptr) {}
  ~PrinterObject() {
    if (m_printer != nullptr && m_library.destroy != nullptr) m_library.destroy(m_printer);
  }
  PrinterObject(const PrinterObject&) = delete;
  PrinterObject& operator=(const PrinterObject&) = delete;

  PLPrinter* operator->() const { return m_printer; }
  explicit operator bool() const { return m_printer != nullptr; }

 private:
  const PrinterLibrary& m_library;
  PLPrinter* m_printer;
};

}  // namespace

void SendPageToPrinter(const PrinterLibrary& library, MirvaleListControl list,
                       const std::string& tableName, PageOutput output) {
  // Print and page-setup dialogs may switch the C locale; the host's must stay as it was.
  platform::HostLocaleGuard hostLocale;
  PrinterObject printer(library);
  if (!printer) return;
  // The printer copies what it needs from the list here: the list is valid only until the
  // button's handler returns.
  printer->SetListControl(list);
  printer->SetTableName(platform::HostTextToUtf8(tableName), 1);
  printer->SetOptionA(1);
  printer->SetOptionB(1, 0);
  printer->SetOptionC(1, 0);
  if (output == PageOutput::kPreview) {
    printer->Preview();
  } else {
    printer->Print();
  }
}

void SetUpPrinterWith(const PrinterLibrary& library, MirvaleWindow parent) {
  platform::HostLocaleGuard hostLocale;
  PrinterObject printer(library);
  if (!printer) return;
  printer->PrinterSetup(kPrinterSettingsPath, parent);
}

void PreviewPage(MirvaleListControl list, const std::string& tableName) {
  SendPageToPrinter(profile::Active().printer, list, tableName, PageOutput::kPreview);
}

void PrintPage(MirvaleListControl list, const std::string& tableName) {
  SendPageToPrinter(profile::Active().printer, list, tableName, PageOutput::kPrint);
}

void SetUpPrinter(MirvaleWindow parent) {
  SetUpPrinterWith(profile::Active().printer, parent);
}

}  // namespace quorlin::viewer
