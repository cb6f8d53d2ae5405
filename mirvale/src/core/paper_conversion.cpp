#include "core/paper_conversion.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace mirvale {
namespace {

constexpr int kWidestMarginMm = 1000;

struct StandardPaper {
  int id;
  int widthMm;
  int heightMm;
};

// Portrait sizes, rounded to whole millimetres.
constexpr StandardPaper kStandardPapers[] = {
    {1, 216, 279},   // Letter
    {5, 216, 356},   // Legal
    {8, 297, 420},   // A3
    {9, 210, 297},   // A4
    {11, 148, 210},  // A5
    {12, 250, 354},  // B4 (JIS)
    {13, 182, 257},  // B5 (JIS)
    {7, 184, 267},   // Executive
    {70, 105, 148},  // A6
};

int Margin(int mm) {
  return std::clamp(mm, 0, kWidestMarginMm);
}

}  // namespace

PaperLayout LayoutFromChoices(const ChosenPageSetup& chosen, const PaperLayout& previous) {
  PaperLayout layout = previous;
  if (chosen.paperWidthMm > 0 && chosen.paperHeightMm > 0) {
    layout.paperWidthMm = std::min(chosen.paperWidthMm, chosen.paperHeightMm);
    layout.paperHeightMm = std::max(chosen.paperWidthMm, chosen.paperHeightMm);
  }
  layout.landscape = chosen.landscape;
  layout.marginLeftMm = Margin(chosen.marginLeftMm);
  layout.marginTopMm = Margin(chosen.marginTopMm);
  layout.marginRightMm = Margin(chosen.marginRightMm);
  layout.marginBottomMm = Margin(chosen.marginBottomMm);
  return layout;
}

int StandardPaperId(int widthMm, int heightMm) {
  if (widthMm > heightMm) std::swap(widthMm, heightMm);
  for (const StandardPaper& paper : kStandardPapers) {
    // Sizes kept in tenths of inches round differently from those kept in millimetres.
    if (std::abs(paper.widthMm - widthMm) <= 1 && std::abs(paper.heightMm - heightMm) <= 1)
      return paper.id;
  }
  return 0;
}

}  // namespace mirvale
