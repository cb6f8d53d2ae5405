#pragma once

#include <type_traits>
// The toolkit's weakref.h uses std::is_base_of without including <type_traits> itself.
#include <wx/weakref.h>
#include <wx/window.h>

#include <memory>
#include <string>

#include "core/printer_settings.h"

namespace mirvale {

// The printer object CreatePLPrinter hands out: keeps a copy of the table and the options
// set on it, and prints, previews or saves them on request. Every operation catches what
// it raises, so that nothing crosses into the caller's code.
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
  bool PrintWithDialog();
  // The window the list was in, while it still exists.
  wxWindow* OwnerWindow() const;

  // Tracks the list's window without keeping it alive: it may be gone by the time Print or
  // Preview runs.
  wxWeakRef<wxWindow> m_ownerWindow;
};

}  // namespace mirvale
