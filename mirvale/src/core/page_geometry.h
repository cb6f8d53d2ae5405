#pragma once

#include "core/paper_layout.h"

namespace mirvale {

// The resolution the table is laid out at: logical units are screen pixels at this density on
// every device, so that preview, printer and file break the table at the same rows.
inline constexpr int kLayoutPpi = 96;

int MmToUnits(int mm, int ppi);

// The paper in logical units of resolution ppi, and the part of it inside the margins.
PixelRect PrintableArea(const PixelRect& paper, const PaperLayout& layout, int ppi);

}  // namespace mirvale
