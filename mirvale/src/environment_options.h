#pragma once

#include <string>

namespace mirvale {

// Where Print writes its pages instead of showing the print dialog (MIRVALE_PDF_OUTPUT);
// empty when unset.
std::string UnattendedPdfPath();

// The file every operation appends its trace line to (MIRVALE_CALL_LOG); empty when unset.
std::string CallLogPath();

}  // namespace mirvale
