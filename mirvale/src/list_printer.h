#pragma once

#include <type_traits>
// The toolkit's weakref.h uses std::is_base_of without including <type_traits> itself.
#include <wx/weakref.h>
#include <wx/window.h>

#include <memory>
#include <string>

#include "core/print_job.h"
#include "mirvale.h"

namespace mirvale {

// The printer object CreatePLPrinter hands out: keeps a copy of the table and the options
// set on it, and prints, previews or saves them on request. Every operation catches what
// it raises, so that nothing crosses into the caller's code.
class ListPrinter final : public PLPrinter {
 public:
  ListPrinter() = default;
  ~ListPrinter() = default;
  ListPrinter(const ListPrinter&) = delete;
  ListPrinter& operator=(const ListPrinter&) = delete;

  bool Print() override;
  void SetOrientation(int landscape) override;
  bool Preview() override;
  void SetMargins(int left, int top, int right, int bottom) override;
  void SetListControl(MirvaleListControl list) override;
  void SetFontSize(int points) override;
  void SetTableName(std::string name, int showAsTitle) override;
  void SetOptionA(int gridLines) override;
  void SetFooter(std::string text) override;
  void SetOptionB(int columnHeaders, int rowNumbers) override;
  void SetOptionC(int pageNumbers, int printDate) override;
  bool SaveAsPdf(const char* path) override;
  bool UsePageSetup(const char* settingsPath) override;
  bool PrinterSetup(const char* settingsPath, MirvaleWindow parent) override;

 private:
  std::shared_ptr<const PrintJob> MakeJob() const;
  bool PrintWithDialog();
  // The window the list was in, while it still exists.
  wxWindow* OwnerWindow() const;

  std::string m_tableName;
  bool m_tableNameAsTitle = false;
  TableContent m_content;
  TableStyle m_style;
  PaperLayout m_paper;
  // Tracks the list's window without keeping it alive: it may be gone by the time Print or
  // Preview runs.
  wxWeakRef<wxWindow> m_ownerWindow;
};

}  // namespace mirvale
