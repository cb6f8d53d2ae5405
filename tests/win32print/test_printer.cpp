#include "test_printer.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

namespace quorlin::test {
namespace {

constexpr wchar_t kPrinterName[] = L"Quorlin test printer";
constexpr wchar_t kDriverName[] = L"Wine PostScript Driver";

bool InstallDriver() {
  DRIVER_INFO_3W driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<LPWSTR>(kDriverName);
  driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
  driver.pDataFile = const_cast<LPWSTR>(L"generic.ppd");
  driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
  driver.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
  return AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)) ||
         GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

bool InstallPrinter() {
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<LPWSTR>(kPrinterName);
  info.pPortName = const_cast<LPWSTR>(L"FILE:");
  info.pDriverName = const_cast<LPWSTR>(kDriverName);
  info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (printer != nullptr) ClosePrinter(printer);
  return printer != nullptr || GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
}

}  // namespace

bool InstallFilePrinter() {
  return InstallDriver() && InstallPrinter() && SetDefaultPrinterW(kPrinterName);
}

}  // namespace quorlin::test
