#pragma once

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "wx_canvas.h"

namespace mirvale {

// A screen-compatible canvas to measure text on before any page is drawn.
class MeasuringCanvas {
 public:
  MeasuringCanvas() : m_bitmap(1, 1), m_dc(m_bitmap), m_canvas(m_dc) {}
  MeasuringCanvas(const MeasuringCanvas&) = delete;
  MeasuringCanvas& operator=(const MeasuringCanvas&) = delete;

  TableCanvas& Canvas() { return m_canvas; }

 private:
  wxBitmap m_bitmap;
  wxMemoryDC m_dc;
  WxCanvas m_canvas;
};

}  // namespace mirvale
