#include "paper_conversion.h"

#include <wx/paper.h>

namespace mirvale {

void ApplyPaper(const PaperLayout& layout, wxPrintData& data) {
  data.SetPaperId(layout.paper);
  if (layout.paper == wxPAPER_NONE) data.SetPaperSize(layout.paperMm);
  data.SetOrientation(layout.landscape ? wxLANDSCAPE : wxPORTRAIT);
}

wxPageSetupDialogData PageSetupDataFor(const PaperLayout& layout) {
  wxPrintData print;
  ApplyPaper(layout, print);
  wxPageSetupDialogData data(print);
  data.SetPaperSize(layout.paperMm);
  data.SetMarginTopLeft(wxPoint(layout.marginLeftMm, layout.marginTopMm));
  data.SetMarginBottomRight(wxPoint(layout.marginRightMm, layout.marginBottomMm));
  return data;
}

PaperLayout PaperFromPageSetupData(const wxPageSetupDialogData& data) {
  PaperLayout layout;
  const wxPrintData& print = data.GetPrintData();
  layout.paper = print.GetPaperId();
  const wxSize size = data.GetPaperSize();
  if (size.x > 0 && size.y > 0) layout.paperMm = size;
  // Keep the paper in portrait measure; the orientation says how it lies.
  if (layout.paperMm.x > layout.paperMm.y)
    layout.paperMm = wxSize(layout.paperMm.y, layout.paperMm.x);
  layout.landscape = print.GetOrientation() == wxLANDSCAPE;
  layout.marginLeftMm = data.GetMarginTopLeft().x;
  layout.marginTopMm = data.GetMarginTopLeft().y;
  layout.marginRightMm = data.GetMarginBottomRight().x;
  layout.marginBottomMm = data.GetMarginBottomRight().y;
  return layout;
}

}  // namespace mirvale
