#include <gtest/gtest.h>

#include "GeometryPrinters.h"
#include "canvas/WindowSnap.h"

namespace qv {
namespace {

using Kind = SnapGuide::Kind;

// The other cell, with a device rectangle that is no multiple of the scale,
// so a result that was converted instead of taken over shows.
constexpr Rect kOther{100, 100, 200, 180};
constexpr Rect kOtherDevice{600, 600, 1203, 1085};
// The moved cell's device size is 241 x 179; where it was does not matter.
constexpr Rect kMovedDevice{5000, 5000, 5241, 5179};

struct Case {
  const char* name;
  Rect moved;
  Kind kind;
  Rect canvas;
  Rect device;
};

TEST(WindowSnap, CornersPullTheMovedRectangleOntoTheOtherCorner) {
  const Case cases[] = {
      {"above-left of the top-left",
       {59, 71, 99, 101},
       Kind::TopLeft,
       {60, 70, 100, 100},
       {359, 421, 600, 600}},
      {"above, left edges aligned",
       {101, 69, 141, 99},
       Kind::TopLeft,
       {100, 70, 140, 100},
       {600, 421, 841, 600}},
      {"on the top-left",
       {99, 99, 139, 129},
       Kind::TopLeft,
       {100, 100, 140, 130},
       {600, 600, 841, 779}},
      {"left, top edges aligned",
       {61, 101, 101, 131},
       Kind::TopLeft,
       {60, 100, 100, 130},
       {359, 600, 600, 779}},
      {"below the bottom-left",
       {101, 181, 141, 211},
       Kind::BottomLeft,
       {100, 180, 140, 210},
       {600, 1085, 841, 1264}},
      {"above the top-right",
       {199, 71, 239, 101},
       Kind::TopRight,
       {200, 70, 240, 100},
       {1203, 421, 1444, 600}},
      {"below-right of the bottom-right",
       {201, 179, 241, 209},
       Kind::BottomRight,
       {200, 180, 240, 210},
       {1203, 1085, 1444, 1264}},
      {"a corner wins over an edge that also touches",
       {60, 99, 100, 129},
       Kind::TopLeft,
       {60, 100, 100, 130},
       {359, 600, 600, 779}},
  };
  for (const Case& c : cases) {
    const auto snap = FindWindowSnap(c.moved, kMovedDevice, kOther, kOtherDevice, ScalePair());
    ASSERT_TRUE(snap) << c.name;
    EXPECT_EQ(*snap, (WindowSnap{c.kind, c.canvas, c.device})) << c.name;
  }
}

TEST(WindowSnap, EdgesTakeOverTheDeviceEdgeAndConvertTheOtherAxis) {
  // Canvas 120 across the edge converts to device 720 at the default scale.
  const Case cases[] = {
      {"abutting the left edge",
       {60, 120, 100, 150},
       Kind::LeftEdge,
       {60, 120, 100, 150},
       {359, 720, 600, 899}},
      {"aligned on the left edge",
       {100, 120, 140, 150},
       Kind::LeftEdge,
       {100, 120, 140, 150},
       {600, 720, 841, 899}},
      {"abutting the right edge",
       {200, 120, 240, 150},
       Kind::RightEdge,
       {200, 120, 240, 150},
       {1203, 720, 1444, 899}},
      {"aligned on the right edge",
       {160, 120, 200, 150},
       Kind::RightEdge,
       {160, 120, 200, 150},
       {962, 720, 1203, 899}},
      {"aligned on the bottom edge",
       {120, 150, 160, 180},
       Kind::BottomEdge,
       {120, 150, 160, 180},
       {720, 906, 961, 1085}},
      {"abutting the bottom edge",
       {120, 180, 160, 210},
       Kind::BottomEdge,
       {120, 180, 160, 210},
       {720, 1085, 961, 1264}},
      {"abutting the top edge",
       {120, 70, 160, 100},
       Kind::TopEdge,
       {120, 70, 160, 100},
       {720, 421, 961, 600}},
      {"aligned on the top edge",
       {120, 100, 160, 130},
       Kind::TopEdge,
       {120, 100, 160, 130},
       {720, 600, 961, 779}},
  };
  for (const Case& c : cases) {
    const auto snap = FindWindowSnap(c.moved, kMovedDevice, kOther, kOtherDevice, ScalePair());
    ASSERT_TRUE(snap) << c.name;
    EXPECT_EQ(*snap, (WindowSnap{c.kind, c.canvas, c.device})) << c.name;
  }
}

TEST(WindowSnap, NothingSnapsOutOfReach) {
  const std::pair<const char*, Rect> cases[] = {
      {"corner two pixels away", {58, 72, 98, 98}},
      {"corner two pixels away across, one down", {58, 71, 98, 99}},
      {"edge one pixel away", {61, 120, 101, 150}},
      {"touching edge without overlap along it", {60, 190, 100, 220}},
  };
  for (const auto& [name, moved] : cases) {
    EXPECT_FALSE(FindWindowSnap(moved, kMovedDevice, kOther, kOtherDevice, ScalePair())) << name;
  }
}

TEST(WindowSnap, DeviceRectangleStopsAtTheOrigin) {
  const auto snap =
      FindWindowSnap({59, 71, 99, 101}, kMovedDevice, kOther, {100, 100, 700, 580}, ScalePair());
  ASSERT_TRUE(snap);
  EXPECT_EQ(snap->device, (Rect{0, 0, 100, 100}));
}

}  // namespace
}  // namespace qv
