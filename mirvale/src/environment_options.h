#pragma once

#include <string>

namespace mirvale {

// Where Print writes its pages instead of showing the print dialog (MIRVALE_PDF_OUTPUT);
// empty when unset.
std::string UnattendedPdfPath();

// Windows: where Print and Preview write their pages as metafiles instead of showing a
// dialog or a window (MIRVALE_EMF_OUTPUT); empty when unset.
std::string UnattendedMetafilePath();

// The file every operation appends its trace line to (MIRVALE_CALL_LOG); empty when unset.
std::string CallLogPath();

}  // namespace mirvale
