#pragma once

#include <windows.h>

#include "core/table_content.h"

namespace mirvale {

// Copies the column headers (with their alignment) and every row of a list-view control.
// A handle that is no window, or a list without columns, gives one column without a header
// (the items' own texts, if any).
TableContent CopyListView(HWND list);

}  // namespace mirvale
