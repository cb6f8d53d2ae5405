#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <type_traits>
#include <utility>

#include "core/table_canvas.h"

namespace mirvale {

// Owns one GDI object (font, pen, brush) and deletes it with itself.
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiObjectDeleter>;

// The table pages' canvas over a GDI device context whose logical units are screen pixels
// at kLayoutPpi (see MapLayoutUnits). Restores the DC's font, pen and brush when it goes.
class GdiCanvas final : public TableCanvas {
 public:
  explicit GdiCanvas(HDC dc);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void SelectFont(const FontSpec& font) override;
  int TextWidth(const std::string& text) override;
  int CharWidth() override;
  int CharHeight() override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(const PixelRect& box, bool greyFill, bool outline) override;
  void Text(const std::string& text, const PixelRect& box, Alignment alignment) override;

 private:
  HDC m_dc;
  int m_savedState;
  GdiObject m_blackPen;
  GdiObject m_greyBrush;
  std::map<std::pair<int, bool>, GdiObject> m_fonts;
};

// Makes the DC's logical units screen pixels at kLayoutPpi over the sheet: the paper of
// paperUnits logical units covers devicePaper (in device pixels).
void MapLayoutUnits(HDC dc, const PixelRect& paperUnits, const PixelRect& devicePaper);

}  // namespace mirvale
