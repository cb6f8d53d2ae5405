#pragma once

#include <memory>
#include <string>

#include "core/print_job.h"

namespace mirvale {

// Writes every page of the job to a PDF file without any dialog or printer: the pages are
// drawn onto a cairo PDF surface through the toolkit's cairo graphics context, scaled from
// screen pixels to the paper as MapScreenSizeToPage would. False when the file cannot be
// written.
bool WritePdf(const std::string& path, std::shared_ptr<const PrintJob> job);

}  // namespace mirvale
