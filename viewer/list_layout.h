#pragma once

#include <algorithm>
#include <vector>

namespace quorlin::viewer {

struct PixelRect {
  int x;
  int y;
  int width;
  int height;
};

// Where the record list goes in a client area of width x height pixels: 5 pixels free at
// each side, 64 at the top for the two rows of controls and 16 at the bottom.
inline PixelRect RecordListRect(int clientWidth, int clientHeight) {
  return {5, 64, std::max(0, clientWidth - 10), std::max(0, clientHeight - 80)};
}

// The same with the list starting at listTop instead: a lower top takes its pixels from the
// list's height, and the bottom margin stays.
inline PixelRect RecordListRect(int clientWidth, int clientHeight, int listTop) {
  PixelRect place = RecordListRect(clientWidth, clientHeight);
  place.height = std::max(0, place.height - (listTop - place.y));
  place.y = listTop;
  return place;
}

// Where the record list may start, in client pixels, so that it covers none of the controls
// above it: the layout's top where that clears the lowest of them, otherwise a few pixels
// below it. A larger dialog font makes the template's controls taller than the fixed top
// allows for. shownControls are the places of the controls the template shows, the list
// itself not among them.
inline int RecordListTop(const std::vector<PixelRect>& shownControls, int layoutTop) {
  constexpr int kGapBelowControls = 4;
  int lowest = 0;
  for (const PixelRect& control : shownControls) {
    lowest = std::max(lowest, control.y + control.height);
  }
  return std::max(layoutTop, lowest + kGapBelowControls);
}

}  // namespace quorlin::viewer
