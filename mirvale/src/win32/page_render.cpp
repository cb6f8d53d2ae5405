#include "win32/page_render.h"

#include "core/page_geometry.h"
#include "win32/gdi_canvas.h"

namespace mirvale {
namespace {

// A memory DC like the screen, whose logical units are layout pixels.
class MeasuringDc {
 public:
  MeasuringDc() : m_dc(CreateCompatibleDC(nullptr)) {
    if (m_dc == nullptr) return;
    const int ppiX = GetDeviceCaps(m_dc, LOGPIXELSX);
    const int ppiY = GetDeviceCaps(m_dc, LOGPIXELSY);
    MapLayoutUnits(m_dc, {0, 0, kLayoutPpi, kLayoutPpi},
                   {0, 0, ppiX > 0 ? ppiX : kLayoutPpi, ppiY > 0 ? ppiY : kLayoutPpi});
  }
  ~MeasuringDc() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;

  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

}  // namespace

PageSet::PageSet(std::shared_ptr<const PrintJob> job) : m_job(std::move(job)) {
  m_paper = {0, 0, MmToUnits(m_job->paper.OrientedWidthMm(), kLayoutPpi),
             MmToUnits(m_job->paper.OrientedHeightMm(), kLayoutPpi)};
  m_printable = PrintableArea(m_paper, m_job->paper, kLayoutPpi);
  MeasuringDc measuring;
  if (measuring.Get() == nullptr) return;
  GdiCanvas canvas(measuring.Get());
  m_pages.emplace(m_job, m_printable.width, m_printable.height, canvas);
}

void PageSet::Draw(HDC dc, int page, const PixelRect& devicePaper) const {
  if (!m_pages) return;
  const int saved = SaveDC(dc);
  MapLayoutUnits(dc, m_paper, devicePaper);
  {
    GdiCanvas canvas(dc);
    m_pages->DrawPage(canvas, m_printable.x, m_printable.y, page);
  }
  RestoreDC(dc, saved);
}

}  // namespace mirvale
