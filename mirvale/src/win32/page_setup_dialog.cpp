#include "win32/page_setup_dialog.h"

#include <commdlg.h>

#include "core/paper_conversion.h"
#include "win32/paper_devmode.h"

namespace mirvale {
namespace {

constexpr int kHundredthsPerMm = 100;

int Mm(LONG hundredths) {
  return static_cast<int>((hundredths + kHundredthsPerMm / 2) / kHundredthsPerMm);
}

}  // namespace

std::optional<PaperLayout> RunPageSetupDialog(const PaperLayout& layout, HWND parent) {
  PAGESETUPDLGW setup = {};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = parent != nullptr && IsWindow(parent) ? parent : nullptr;
  GlobalMemory devMode = DevModeFor(layout);
  setup.hDevMode = devMode.release();
  setup.hDevNames = DevNamesOfDefaultPrinter().release();
  setup.Flags = PSD_INHUNDREDTHSOFMILLIMETERS | PSD_MARGINS;
  // The sheet as it lies, for a dialog that cannot find the paper among the printer's own
  // (it would otherwise scale its preview by a zero size).
  setup.ptPaperSize = {layout.OrientedWidthMm() * kHundredthsPerMm,
                       layout.OrientedHeightMm() * kHundredthsPerMm};
  setup.rtMargin = {layout.marginLeftMm * kHundredthsPerMm, layout.marginTopMm * kHundredthsPerMm,
                    layout.marginRightMm * kHundredthsPerMm,
                    layout.marginBottomMm * kHundredthsPerMm};
  const bool confirmed = PageSetupDlgW(&setup) != FALSE;
  // The dialog may have replaced both handles; whatever they are now is ours to free.
  devMode.reset(setup.hDevMode);
  GlobalMemory devNames(setup.hDevNames);
  if (!confirmed) return std::nullopt;

  ChosenPageSetup chosen;
  chosen.paperWidthMm = Mm(setup.ptPaperSize.x);
  chosen.paperHeightMm = Mm(setup.ptPaperSize.y);
  chosen.landscape = DevModeIsLandscape(devMode.get(), chosen.paperWidthMm > chosen.paperHeightMm);
  chosen.marginLeftMm = Mm(setup.rtMargin.left);
  chosen.marginTopMm = Mm(setup.rtMargin.top);
  chosen.marginRightMm = Mm(setup.rtMargin.right);
  chosen.marginBottomMm = Mm(setup.rtMargin.bottom);
  return LayoutFromChoices(chosen, layout);
}

}  // namespace mirvale
