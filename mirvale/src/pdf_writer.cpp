#include "pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/dc.h>
// After wx/dc.h, which brings the toolkit's build settings it is compiled under.
#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include <memory>

#include "core/page_geometry.h"
#include "core/table_pages.h"
#include "measuring_canvas.h"
#include "wx_canvas.h"

namespace mirvale {
namespace {

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

void DrawPageOnto(cairo_t* context, const TablePages& pages, const PixelRect& printable, int page) {
  wxGraphicsContext* graphics =
      wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(context);
  if (graphics == nullptr) return;
  wxGCDC dc(graphics);  // owns graphics from here on
  const double scale = kPdfPointsPerInch / kLayoutPpi;
  dc.SetUserScale(scale, scale);
  WxCanvas canvas(dc);
  pages.DrawPage(canvas, printable.x, printable.y, page);
  graphics->Flush();
}

}  // namespace

bool WritePdf(const std::string& path, std::shared_ptr<const PrintJob> job) {
  const double widthPoints = MmToPoints(job->paper.OrientedWidthMm());
  const double heightPoints = MmToPoints(job->paper.OrientedHeightMm());
  Surface surface(cairo_pdf_surface_create(path.c_str(), widthPoints, heightPoints));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
  Context context(cairo_create(surface.get()));
  if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) return false;

  const double pixelsPerPoint = kLayoutPpi / kPdfPointsPerInch;
  const PixelRect paper{0, 0, static_cast<int>(widthPoints * pixelsPerPoint),
                        static_cast<int>(heightPoints * pixelsPerPoint)};
  const PixelRect printable = PrintableArea(paper, job->paper, kLayoutPpi);
  MeasuringCanvas measuring;
  const TablePages pages(std::move(job), printable.width, printable.height, measuring.Canvas());
  for (int page = 1; page <= pages.PageCount(); ++page) {
    DrawPageOnto(context.get(), pages, printable, page);
    cairo_show_page(context.get());
  }
  context.reset();
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace mirvale
