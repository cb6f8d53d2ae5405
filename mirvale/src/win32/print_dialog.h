#pragma once

#include <windows.h>

#include "win32/page_render.h"

namespace mirvale {

// Shows the system's print dialog over owner (may be null) and prints the chosen pages to
// the chosen printer. False when cancelled or when the printer refused the job.
bool PrintWithDialog(const PageSet& pages, HWND owner);

}  // namespace mirvale
