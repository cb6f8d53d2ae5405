#pragma once

#include <wx/dc.h>
#include <wx/font.h>

#include <map>
#include <utility>

#include "core/table_canvas.h"

namespace mirvale {

// The table pages' canvas over a toolkit device context (screen, printer, preview or a
// cairo PDF context). The DC must outlive the canvas.
class WxCanvas final : public TableCanvas {
 public:
  explicit WxCanvas(wxDC& dc);

  void SelectFont(const FontSpec& font) override;
  int TextWidth(const std::string& text) override;
  int CharWidth() override;
  int CharHeight() override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(const PixelRect& box, bool greyFill, bool outline) override;
  void Text(const std::string& text, const PixelRect& box, Alignment alignment) override;

 private:
  wxDC& m_dc;
  std::map<std::pair<int, bool>, wxFont> m_fonts;
};

}  // namespace mirvale
