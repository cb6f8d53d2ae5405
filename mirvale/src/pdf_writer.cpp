#include "pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include <memory>

#include "page_geometry.h"
#include "table_pages.h"

namespace mirvale {
namespace {

// The resolution the toolkit lays text out at on screen; logical units are its pixels.
constexpr int kScreenPpi = 96;
constexpr double kPdfPointsPerInch = 72.0;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

double MmToPoints(int mm) {
  return mm * kPdfPointsPerInch / 25.4;
}

void DrawPageOnto(cairo_t* context, const TablePages& pages, const wxRect& printable, int page) {
  wxGraphicsContext* graphics =
      wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(context);
  if (graphics == nullptr) return;
  wxGCDC dc(graphics);  // owns graphics from here on
  const double scale = kPdfPointsPerInch / kScreenPpi;
  dc.SetUserScale(scale, scale);
  pages.DrawPage(dc, printable.GetTopLeft(), page);
  graphics->Flush();
}

}  // namespace

bool WritePdf(const std::string& path, std::shared_ptr<const PrintJob> job) {
  const wxSize paperMm = job->paper.OrientedPaperMm();
  Surface surface(
      cairo_pdf_surface_create(path.c_str(), MmToPoints(paperMm.x), MmToPoints(paperMm.y)));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
  Context context(cairo_create(surface.get()));
  if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) return false;

  const double pixelsPerPoint = kScreenPpi / kPdfPointsPerInch;
  const wxRect paper(0, 0, static_cast<int>(MmToPoints(paperMm.x) * pixelsPerPoint),
                     static_cast<int>(MmToPoints(paperMm.y) * pixelsPerPoint));
  const wxRect printable = PrintableArea(paper, job->paper, kScreenPpi);
  const TablePages pages(std::move(job), printable.GetSize());
  for (int page = 1; page <= pages.PageCount(); ++page) {
    DrawPageOnto(context.get(), pages, printable, page);
    cairo_show_page(context.get());
  }
  context.reset();
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace mirvale
