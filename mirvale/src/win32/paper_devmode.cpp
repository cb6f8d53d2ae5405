#include "win32/paper_devmode.h"

#include <winspool.h>

#include <cstring>
#include <iterator>
#include <string>

#include "core/paper_conversion.h"

namespace mirvale {
namespace {

// Locks global memory for as long as it lives.
template <typename T>
class Locked {
 public:
  explicit Locked(HGLOBAL memory)
      : m_memory(memory),
        m_data(memory != nullptr ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
  ~Locked() {
    if (m_data != nullptr) GlobalUnlock(m_memory);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  T* operator->() const { return m_data; }
  explicit operator bool() const { return m_data != nullptr; }

 private:
  HGLOBAL m_memory;
  T* m_data;
};

}  // namespace

GlobalMemory DevModeFor(const PaperLayout& layout) {
  GlobalMemory memory(GlobalAlloc(GHND, sizeof(DEVMODEW)));
  Locked<DEVMODEW> mode(memory.get());
  if (!mode) return nullptr;
  mode->dmSpecVersion = DM_SPECVERSION;
  mode->dmSize = sizeof(DEVMODEW);
  mode->dmFields = DM_ORIENTATION | DM_PAPERSIZE;
  mode->dmOrientation = layout.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  const int standard = StandardPaperId(layout.paperWidthMm, layout.paperHeightMm);
  mode->dmPaperSize = static_cast<short>(standard != 0 ? standard : DMPAPER_USER);
  if (standard == 0) {
    // Tenths of millimetres.
    mode->dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
    mode->dmPaperWidth = static_cast<short>(layout.paperWidthMm * 10);
    mode->dmPaperLength = static_cast<short>(layout.paperHeightMm * 10);
  }
  return memory;
}

GlobalMemory DevNamesOfDefaultPrinter() {
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  if (length == 0) return nullptr;
  std::wstring printer(length, L'\0');
  if (!GetDefaultPrinterW(printer.data(), &length)) return nullptr;
  printer.resize(wcslen(printer.c_str()));
  // Driver, device and port names follow the header, each with its terminator; the
  // offsets count characters from the start of the block.
  static const wchar_t kDriver[] = L"winspool";
  const std::size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
  const std::size_t driverLength = std::size(kDriver);
  const std::size_t characters = header + driverLength + printer.size() + 1 + 1;
  GlobalMemory memory(GlobalAlloc(GHND, characters * sizeof(wchar_t)));
  Locked<DEVNAMES> names(memory.get());
  if (!names) return nullptr;
  wchar_t* text = reinterpret_cast<wchar_t*>(names.operator->());
  names->wDriverOffset = static_cast<WORD>(header);
  names->wDeviceOffset = static_cast<WORD>(header + driverLength);
  names->wOutputOffset = static_cast<WORD>(header + driverLength + printer.size() + 1);
  names->wDefault = DN_DEFAULTPRN;
  std::memcpy(text + names->wDriverOffset, kDriver, sizeof kDriver);
  std::memcpy(text + names->wDeviceOffset, printer.c_str(), (printer.size() + 1) * sizeof(wchar_t));
  return memory;
}

bool DevModeIsLandscape(HGLOBAL devMode, bool otherwise) {
  Locked<DEVMODEW> mode(devMode);
  if (!mode || (mode->dmFields & DM_ORIENTATION) == 0) return otherwise;
  return mode->dmOrientation == DMORIENT_LANDSCAPE;
}

}  // namespace mirvale
