#include "viewer/win32/printer_bridge.h"

#include "mirvale.h"
#include "profiles/profile.h"

namespace quorlin::viewer {
namespace {

// The settings file the printer library keeps its page setup in.
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

// The table name arrives in the host's (ANSI) code page; the printer library takes UTF-8.
std::string PrinterText(const std::string& hostText) {
  if (hostText.empty()) return {};
  const int size = static_cast<int>(hostText.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, hostText.data(), size, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, hostText.data(), size, wide.data(), wideLength);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

// The printer library the profile links at load time; none in a profile without printing.
PrinterLibrary LinkedPrinterLibrary() {
  const profile::PrinterLibrary& linked = profile::Active().printer;
  return {linked.create, linked.destroy};
}

}  // namespace

void SendPageToPrinter(const PrinterLibrary& library, HWND list, const std::string& tableName,
                       PageOutput output) {
  PrinterObject printer(library);
  if (!printer) return;
  // The printer copies what it needs from the list here: the list is valid only until the
  // button's handler returns.
  printer->SetListControl(list);
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

void SetUpPrinterWith(const PrinterLibrary& library, HWND dialog) {
  PrinterObject printer(library);
  if (!printer) return;
  printer->PrinterSetup(kPrinterSettingsPath, dialog);
}

void PreviewPage(HWND list, const std::string& tableName) {
  SendPageToPrinter(LinkedPrinterLibrary(), list, tableName, PageOutput::kPreview);
}

void PrintPage(HWND list, const std::string& tableName) {
  SendPageToPrinter(LinkedPrinterLibrary(), list, tableName, PageOutput::kPrint);
}

void SetUpPrinter(HWND dialog) {
  SetUpPrinterWith(LinkedPrinterLibrary(), dialog);
}

}  // namespace quorlin::viewer
