#pragma once

#include <string>

#include "core/paper_layout.h"
#include "core/table_content.h"

namespace mirvale {

struct FontSpec {
  int points = 10;
  bool bold = false;
};

// What the table pages need of a drawing surface, in logical units (screen pixels at
// kLayoutPpi). Each toolkit supplies one over its device context. Texts are UTF-8.
class TableCanvas {
 public:
  virtual ~TableCanvas() = default;

  virtual void SelectFont(const FontSpec& font) = 0;
  // Measures in the selected font.
  virtual int TextWidth(const std::string& text) = 0;
  virtual int CharWidth() = 0;
  virtual int CharHeight() = 0;

  // A thin black line.
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  // A rectangle, filled with the header's grey or not, outlined in black or not.
  virtual void Rectangle(const PixelRect& box, bool greyFill, bool outline) = 0;
  // One line of black text in the selected font, centred vertically in box, aligned
  // across it, and shortened with an ellipsis where it is wider than the box.
  virtual void Text(const std::string& text, const PixelRect& box, Alignment alignment) = 0;
};

}  // namespace mirvale
