#pragma once

#include <wx/cmndata.h>

#include "core/print_job.h"

namespace mirvale {

// Moves a paper layout into and out of the toolkit's print and page-setup data.
void ApplyPaper(const PaperLayout& layout, wxPrintData& data);
wxPageSetupDialogData PageSetupDataFor(const PaperLayout& layout);
PaperLayout PaperFromPageSetupData(const wxPageSetupDialogData& data);

}  // namespace mirvale
