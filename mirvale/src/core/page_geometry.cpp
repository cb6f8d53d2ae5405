#include "core/page_geometry.h"

#include <algorithm>

namespace mirvale {

int MmToUnits(int mm, int ppi) {
  return static_cast<int>(mm * ppi / 25.4 + 0.5);
}

PixelRect PrintableArea(const PixelRect& paper, const PaperLayout& layout, int ppi) {
  const int left = MmToUnits(layout.marginLeftMm, ppi);
  const int top = MmToUnits(layout.marginTopMm, ppi);
  const int right = MmToUnits(layout.marginRightMm, ppi);
  const int bottom = MmToUnits(layout.marginBottomMm, ppi);
  // Margins too wide for the paper still leave a sliver to draw in.
  return {paper.x + left, paper.y + top, std::max(1, paper.width - left - right),
          std::max(1, paper.height - top - bottom)};
}

}  // namespace mirvale
