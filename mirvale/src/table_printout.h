#pragma once

#include <wx/print.h>

#include <memory>
#include <optional>

#include "core/print_job.h"
#include "core/table_pages.h"

namespace mirvale {

// The table as the toolkit's printing framework prints and previews it: logical units are
// screen pixels (MapScreenSizeToPage), so the page looks on paper as it would on screen.
class TablePrintout : public wxPrintout {
 public:
  explicit TablePrintout(std::shared_ptr<const PrintJob> job);

  void OnPreparePrinting() override;
  bool HasPage(int page) override;
  void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
  bool OnPrintPage(int page) override;

 private:
  PixelRect MapAndFindPrintableArea();

  std::shared_ptr<const PrintJob> m_job;
  std::optional<TablePages> m_pages;
};

}  // namespace mirvale
