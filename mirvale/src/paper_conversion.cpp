#include "paper_conversion.h"

#include <wx/paper.h>

#include "core/paper_conversion.h"

namespace mirvale {
namespace {

wxSize PaperMm(const PaperLayout& layout) {
  return wxSize(layout.paperWidthMm, layout.paperHeightMm);
}

// The toolkit's name for the paper, or none when its size is not a known one.
wxPaperSize PaperIdFor(const PaperLayout& layout) {
  if (wxThePrintPaperDatabase == nullptr) return wxPAPER_NONE;
  const wxPrintPaperType* type = wxThePrintPaperDatabase->FindPaperType(
      wxSize(layout.paperWidthMm * 10, layout.paperHeightMm * 10));
  return type != nullptr ? type->GetId() : wxPAPER_NONE;
}

}  // namespace

void ApplyPaper(const PaperLayout& layout, wxPrintData& data) {
  const wxPaperSize paper = PaperIdFor(layout);
  data.SetPaperId(paper);
  if (paper == wxPAPER_NONE) data.SetPaperSize(PaperMm(layout));
  data.SetOrientation(layout.landscape ? wxLANDSCAPE : wxPORTRAIT);
}

wxPageSetupDialogData PageSetupDataFor(const PaperLayout& layout) {
  wxPrintData print;
  ApplyPaper(layout, print);
  wxPageSetupDialogData data(print);
  data.SetPaperSize(PaperMm(layout));
  data.SetMarginTopLeft(wxPoint(layout.marginLeftMm, layout.marginTopMm));
  data.SetMarginBottomRight(wxPoint(layout.marginRightMm, layout.marginBottomMm));
  return data;
}

PaperLayout PaperFromPageSetupData(const wxPageSetupDialogData& data) {
  ChosenPageSetup chosen;
  const wxSize size = data.GetPaperSize();
  chosen.paperWidthMm = size.x;
  chosen.paperHeightMm = size.y;
  chosen.landscape = data.GetPrintData().GetOrientation() == wxLANDSCAPE;
  chosen.marginLeftMm = data.GetMarginTopLeft().x;
  chosen.marginTopMm = data.GetMarginTopLeft().y;
  chosen.marginRightMm = data.GetMarginBottomRight().x;
  chosen.marginBottomMm = data.GetMarginBottomRight().y;
  return LayoutFromChoices(chosen, PaperLayout());
}

}  // namespace mirvale
