#pragma once

#include "core/paper_layout.h"

namespace mirvale {

// What a page-setup dialog hands back, in millimetres, before it becomes a layout.
struct ChosenPageSetup {
  int paperWidthMm = 0;  // as the paper lies; 0 when the dialog gave no size
  int paperHeightMm = 0;
  bool landscape = false;
  int marginLeftMm = 0;
  int marginTopMm = 0;
  int marginRightMm = 0;
  int marginBottomMm = 0;
};

// The layout a dialog's choices stand for: the paper kept in portrait measure (the
// orientation says how it lies), the previous paper where the dialog named none, and margins
// within what a sheet can have.
PaperLayout LayoutFromChoices(const ChosenPageSetup& chosen, const PaperLayout& previous);

// Standard paper sizes by the numbers both toolkits use for them (1 Letter, 9 A4, ...);
// 0 when the size is not one of them.
int StandardPaperId(int widthMm, int heightMm);

}  // namespace mirvale
