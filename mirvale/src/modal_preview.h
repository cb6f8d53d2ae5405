#pragma once

#include <wx/cmndata.h>

#include <memory>

#include "core/print_job.h"

class wxWindow;

namespace mirvale {

// Opens the toolkit's print-preview window over the job's pages, with every other window of
// the application disabled, and returns when the operator closes it (its Close button, the
// Escape key or the window's close box). The preview's print button prints through the
// print dialog. False when the preview cannot be built.
bool ShowModalPreview(std::shared_ptr<const PrintJob> job, const wxPrintData& printData,
                      wxWindow* parent);

}  // namespace mirvale
