#pragma once

#include "core/print_job.h"

class wxListCtrl;

namespace mirvale {

// Copies the column headers (with their alignment) and every row of a list control. A list
// that is not in report view has no columns: its items become one column without a header.
TableContent CopyList(wxListCtrl& list);

}  // namespace mirvale
