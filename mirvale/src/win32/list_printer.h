#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/printer_settings.h"

namespace mirvale {

// The printer object CreatePLPrinter hands out on Windows: keeps a copy of the list-view's
// table and the options set on it, and prints, previews or saves them with GDI on request.
class ListPrinter final : public PrinterSettings {
 public:
  ListPrinter() = default;
  ~ListPrinter() = default;
  ListPrinter(const ListPrinter&) = delete;
  ListPrinter& operator=(const ListPrinter&) = delete;

  bool Print() override;
  bool Preview() override;
  void SetListControl(MirvaleListControl list) override;
  bool SaveAsPdf(const char* path) override;
  bool PrinterSetup(const char* settingsPath, MirvaleWindow parent) override;

 private:
  // The window the list was in, while it still exists.
  HWND OwnerWindow() const;

  // The list's top-level window, checked before use: it may be gone by the time Print or
  // Preview runs.
  HWND m_ownerWindow = nullptr;
};

}  // namespace mirvale
