#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/print_job.h"
#include "mirvale.h"

namespace mirvale {

// The printer object CreatePLPrinter hands out on Windows: keeps a copy of the list-view's
// table and the options set on it, and prints, previews or saves them with GDI on request.
// Every operation catches what it raises, so that nothing crosses into the caller's code.
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
  // The window the list was in, while it still exists.
  HWND OwnerWindow() const;

  std::string m_tableName;
  bool m_tableNameAsTitle = false;
  TableContent m_content;
  TableStyle m_style;
  PaperLayout m_paper;
  // The list's top-level window, checked before use: it may be gone by the time Print or
  // Preview runs.
  HWND m_ownerWindow = nullptr;
};

}  // namespace mirvale
