// Where the record list goes: below the controls the template shows, never above the
// layout's top, with its side and bottom margins whatever its top. Pure geometry, the same
// rule that both front ends lay the list out by.
#include "viewer/list_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quorlin::viewer {

inline bool operator==(const PixelRect& left, const PixelRect& right) {
  return left.x == right.x && left.y == right.y && left.width == right.width &&
         left.height == right.height;
}
inline void PrintTo(const PixelRect& rect, std::ostream* out) {
  *out << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
}

}  // namespace quorlin::viewer

namespace quorlin::test {
namespace {

using viewer::PixelRect;
using viewer::RecordListRect;
using viewer::RecordListTop;

TEST(RecordListTop, StartsAtTheLayoutsTopOrFourPixelsBelowTheLowestShownControl) {
  struct Case {
    const char* what;
    std::vector<PixelRect> shownControls;
    int layoutTop;
    int expected;
  };
  const Case cases[] = {
      {"no controls", {}, 64, 64},
      {"a layout top nearer than the gap", {}, 0, 4},
      {"controls that clear the top", {{11, 5, 81, 23}, {82, 34, 343, 24}}, 64, 64},
      {"the lowest ends exactly the gap above the top", {{0, 40, 10, 20}}, 64, 64},
      {"one pixel lower", {{0, 40, 10, 21}}, 64, 65},
      {"a larger font's field reaches below the top", {{96, 39, 396, 28}}, 64, 71},
      {"the lowest decides, not the last", {{0, 50, 10, 17}, {0, 0, 10, 10}}, 64, 71},
      {"the tallest is not the lowest", {{0, 0, 10, 60}, {0, 62, 10, 8}}, 64, 74},
      {"a control beside the list's top counts like one above it", {{500, 70, 50, 20}}, 64, 94},
      {"a control wholly above the client area", {{0, -40, 10, 20}}, 64, 64},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordListTop(c.shownControls, c.layoutTop), c.expected) << c.what;
  }
}

TEST(RecordListRect, KeepsTheMarginsAndALowerTopTakesItsPixelsFromTheHeight) {
  struct Case {
    const char* what;
    int clientWidth;
    int clientHeight;
    int listTop;
    PixelRect expected;
  };
  const Case cases[] = {
      {"the layout's own top", 746, 377, 64, {5, 64, 736, 297}},
      {"below a larger font's controls", 746, 435, 71, {5, 71, 736, 348}},
      {"a grown dialog", 1000, 700, 71, {5, 71, 990, 613}},
      {"too small for any list", 8, 70, 71, {5, 71, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordListRect(c.clientWidth, c.clientHeight, c.listTop), c.expected) << c.what;
  }
  EXPECT_EQ(RecordListRect(746, 377, 64), RecordListRect(746, 377))
      << "the fixed layout is the rule at its own top";
}

}  // namespace
}  // namespace quorlin::test
