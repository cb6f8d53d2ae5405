#pragma once

#include <wx/gdicmn.h>

#include "print_job.h"

namespace mirvale {

// The paper in logical units of resolution ppi, and the part of it inside the margins.
wxRect PrintableArea(const wxRect& paper, const PaperLayout& layout, int ppi);

}  // namespace mirvale
