#pragma once

#include <windows.h>

#include <algorithm>

namespace quorlin::viewer {

// Where the record list may start, in client pixels, so that it covers none of the controls
// above it: the layout's top where that clears the lowest of them, otherwise a few pixels
// below it. A larger dialog font makes the template's controls taller than the fixed top
// allows for. Only the controls that the template shows count.
inline int RecordListTop(HWND dialog, HWND list, int layoutTop) {
  constexpr int kGapBelowControls = 4;
  int lowest = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    // The style, not IsWindowVisible: the dialog itself is not shown while it initialises.
    if (child == list || (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    RECT place = {};
    if (!GetWindowRect(child, &place)) continue;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    lowest = std::max(lowest, static_cast<int>(place.bottom));
  }
  return std::max(layoutTop, lowest + kGapBelowControls);
}

}  // namespace quorlin::viewer
