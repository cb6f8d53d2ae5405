#pragma once

#include <algorithm>

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

}  // namespace quorlin::viewer
