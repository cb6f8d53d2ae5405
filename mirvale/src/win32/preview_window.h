#pragma once

#include <windows.h>

#include "win32/page_render.h"

namespace mirvale {

// The preview window's class name, by which tests and tools find it.
inline constexpr wchar_t kPreviewWindowClass[] = L"MirvalePrintPreview";

// Shows the pages in a preview window of its own, one page at a time scaled to the window,
// with owner (may be null) disabled, and returns when the operator closes it: Escape or
// the close box. Page Down / Page Up (or the arrow keys) turn the pages; P prints them
// through the print dialog. False when the window cannot be made.
bool ShowModalPreview(const PageSet& pages, HWND owner);

}  // namespace mirvale
