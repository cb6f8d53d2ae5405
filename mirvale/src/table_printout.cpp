#include "table_printout.h"

#include "page_geometry.h"

namespace mirvale {

TablePrintout::TablePrintout(std::shared_ptr<const PrintJob> job)
    : wxPrintout(job->name.empty() ? wxString("Table") : job->name), m_job(std::move(job)) {}

wxRect TablePrintout::MapAndFindPrintableArea() {
  MapScreenSizeToPage();
  int ppiX = 0;
  int ppiY = 0;
  GetPPIScreen(&ppiX, &ppiY);
  return PrintableArea(GetLogicalPaperRect(), m_job->paper, ppiX > 0 ? ppiX : 96);
}

void TablePrintout::OnPreparePrinting() {
  m_pages.emplace(m_job, MapAndFindPrintableArea().GetSize());
}

bool TablePrintout::HasPage(int page) {
  return m_pages && page >= 1 && page <= m_pages->PageCount();
}

void TablePrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
  const int count = m_pages ? m_pages->PageCount() : 1;
  *minPage = 1;
  *maxPage = count;
  *pageFrom = 1;
  *pageTo = count;
}

bool TablePrintout::OnPrintPage(int page) {
  if (!m_pages || GetDC() == nullptr) return false;
  const wxRect printable = MapAndFindPrintableArea();
  m_pages->DrawPage(*GetDC(), printable.GetTopLeft(), page);
  return true;
}

}  // namespace mirvale
