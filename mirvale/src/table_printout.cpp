#include "table_printout.h"

#include "core/page_geometry.h"
#include "measuring_canvas.h"
#include "wx_canvas.h"

namespace mirvale {
namespace {

wxString JobTitle(const PrintJob& job) {
  return job.name.empty() ? wxString("Table") : wxString::FromUTF8(job.name);
}

}  // namespace

TablePrintout::TablePrintout(std::shared_ptr<const PrintJob> job)
    : wxPrintout(JobTitle(*job)), m_job(std::move(job)) {}

PixelRect TablePrintout::MapAndFindPrintableArea() {
  MapScreenSizeToPage();
  int ppiX = 0;
  int ppiY = 0;
  GetPPIScreen(&ppiX, &ppiY);
  const wxRect paper = GetLogicalPaperRect();
  return PrintableArea({paper.x, paper.y, paper.width, paper.height}, m_job->paper,
                       ppiX > 0 ? ppiX : kLayoutPpi);
}

void TablePrintout::OnPreparePrinting() {
  const PixelRect printable = MapAndFindPrintableArea();
  MeasuringCanvas measuring;
  m_pages.emplace(m_job, printable.width, printable.height, measuring.Canvas());
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
  const PixelRect printable = MapAndFindPrintableArea();
  WxCanvas canvas(*GetDC());
  m_pages->DrawPage(canvas, printable.x, printable.y, page);
  return true;
}

}  // namespace mirvale
