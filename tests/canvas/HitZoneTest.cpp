#include <gtest/gtest.h>

#include "GeometryPrinters.h"
#include "canvas/HitZone.h"

namespace qv {
namespace {

TEST(HitZone, EdgesComeBeforeInteriorAndCorners) {
  struct Case {
    const char* name;
    Rect cell;
    Point p;
    HitZone zone;
  };
  const Rect r{100, 200, 200, 300};
  const Case cases[] = {
      {"left edge", r, {100, 250}, HitZone::LeftEdge},
      {"left band where it meets the top band", r, {105, 205}, HitZone::LeftEdge},
      {"top band where it meets the left band", r, {105, 200}, HitZone::TopEdge},
      {"right edge includes the right column", r, {200, 250}, HitZone::RightEdge},
      {"bottom edge includes the bottom row", r, {150, 300}, HitZone::BottomEdge},
      {"interior", r, {106, 206}, HitZone::Inside},
      {"top-left", r, {104, 204}, HitZone::TopLeft},
      {"bottom-left", r, {100, 300}, HitZone::BottomLeft},
      {"top-right", r, {196, 200}, HitZone::TopRight},
      {"bottom-right", r, {200, 300}, HitZone::BottomRight},
      {"left of it", r, {99, 250}, HitZone::None},
      {"below it", r, {150, 301}, HitZone::None},
      {"a small cell is all corners", {0, 0, 8, 8}, {4, 4}, HitZone::TopLeft},
  };
  for (const Case& c : cases) EXPECT_EQ(HitZoneAt(c.cell, c.p), c.zone) << c.name;
}

}  // namespace
}  // namespace qv
