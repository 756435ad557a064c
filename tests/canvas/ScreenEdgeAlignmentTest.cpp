#include <gtest/gtest.h>

#include "GeometryPrinters.h"
#include "canvas/ScreenEdgeAlignment.h"

namespace qv {
namespace {

// The first output screen where the page places it.
constexpr Rect kScreen{125, 198, 2045, 1278};

TEST(ScreenEdgeAlignment, PullsDraggedEdgesOntoTheScreen) {
  struct Case {
    const char* name;
    Rect window;
    HitZone zone;
    Rect aligned;
    Rect screen = kScreen;
  };
  const Case cases[] = {
      {"left edge two pixels in", {127, 500, 900, 800}, HitZone::LeftEdge, {125, 500, 900, 800}},
      {"left edge three pixels in stays",
       {128, 500, 900, 800},
       HitZone::LeftEdge,
       {128, 500, 900, 800}},
      {"left edge beyond the screen",
       {100, 500, 900, 800},
       HitZone::LeftEdge,
       {125, 500, 900, 800}},
      {"top edge", {500, 200, 900, 800}, HitZone::TopEdge, {500, 198, 900, 800}},
      {"right edge two pixels in",
       {500, 500, 2043, 800},
       HitZone::RightEdge,
       {500, 500, 2045, 800}},
      {"right edge three pixels in stays",
       {500, 500, 2042, 800},
       HitZone::RightEdge,
       {500, 500, 2042, 800}},
      {"right edge beyond the screen",
       {500, 500, 2050, 800},
       HitZone::RightEdge,
       {500, 500, 2045, 800}},
      {"bottom edge", {500, 500, 900, 1280}, HitZone::BottomEdge, {500, 500, 900, 1278}},
      {"only the dragged edge moves",
       {126, 199, 2044, 1277},
       HitZone::RightEdge,
       {126, 199, 2045, 1277}},
      {"top-left corner", {126, 199, 900, 800}, HitZone::TopLeft, {125, 198, 900, 800}},
      {"bottom-left corner", {124, 500, 900, 1279}, HitZone::BottomLeft, {125, 500, 900, 1278}},
      {"bottom-right corner", {500, 500, 2046, 1279}, HitZone::BottomRight, {500, 500, 2045, 1278}},
      {"top-right corner beyond the screen",
       {500, 197, 2049, 800},
       HitZone::TopRight,
       {500, 198, 2045, 800}},
      {"move onto the top keeps the height",
       {600, 199, 1000, 499},
       HitZone::Inside,
       {600, 198, 1000, 498}},
      {"move onto the right keeps the width",
       {1646, 500, 2046, 800},
       HitZone::Inside,
       {1645, 500, 2045, 800}},
      {"move onto the left", {127, 500, 527, 800}, HitZone::Inside, {125, 500, 525, 800}},
      {"move onto the bottom", {500, 979, 900, 1279}, HitZone::Inside, {500, 978, 900, 1278}},
      {"move of a window wider than its screen ends on the left edge",
       {100, 500, 2100, 800},
       HitZone::Inside,
       {125, 500, 2125, 800}},
      {"nothing dragged", {126, 199, 2044, 1277}, HitZone::None, {126, 199, 2044, 1277}},
      {"never left of the device origin",
       {-99, 10, 301, 310},
       HitZone::LeftEdge,
       {0, 10, 301, 310},
       {-100, 0, 1820, 1080}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AlignToScreenEdges(c.window, c.screen, c.zone), c.aligned) << c.name;
  }
}

}  // namespace
}  // namespace qv
