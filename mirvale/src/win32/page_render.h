#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "core/print_job.h"
#include "core/table_pages.h"

namespace mirvale {

// A job laid out into pages on the screen's measure, ready to draw onto any device: a
// printer, a metafile or the preview window. Each device maps the same logical sheet onto
// its own pixels, so all of them break the table alike.
class PageSet {
 public:
  explicit PageSet(std::shared_ptr<const PrintJob> job);

  int Count() const { return m_pages ? m_pages->PageCount() : 0; }
  const PrintJob& Job() const { return *m_job; }
  // The sheet in logical units, orientation applied.
  const PixelRect& Paper() const { return m_paper; }
  // Draws page (from 1) so that the sheet covers devicePaper, in the DC's device pixels.
  void Draw(HDC dc, int page, const PixelRect& devicePaper) const;

 private:
  std::shared_ptr<const PrintJob> m_job;
  PixelRect m_paper;
  PixelRect m_printable;
  std::optional<TablePages> m_pages;
};

}  // namespace mirvale
