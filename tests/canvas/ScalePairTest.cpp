#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "GeometryPrinters.h"
#include "canvas/ScalePair.h"

namespace qv {
namespace {

ScalePair Pair(double x, double y) {
  return ScalePair::FromFactors(x, y).value();
}

// The value the page stores after rounding 38.4 to single precision.
constexpr double kSingle38_4 = 38.400001525878906;

TEST(ScalePair, StartsAtSixDevicePixelsPerCanvasPixel) {
  EXPECT_EQ(ScalePair().x(), 6.0);
  EXPECT_EQ(ScalePair().y(), 6.0);
}

TEST(ScalePair, RefusesFactorsThatCannotDivide) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, double> refused[] = {
      {0.0, 6.0},  {6.0, 0.0}, {-6.0, 6.0},
      {nan, 6.0},  {6.0, inf}, {1e-50, 6.0},  // 0 in single precision
      {1e39, 6.0},                            // infinite in single precision
  };
  for (auto [x, y] : refused) EXPECT_FALSE(ScalePair::FromFactors(x, y)) << x << " x " << y;
  EXPECT_TRUE(ScalePair::FromFactors(0.5, 12.0));
}

TEST(ScalePair, DeviceToCanvas) {
  struct Case {
    const char* name;
    double sx, sy;
    Rect device;
    int clientWidth, clientHeight;
    Rect canvas;
  };
  const Case cases[] = {
      {"first screen at the page's origin",
       6,
       6,
       {125, 198, 2045, 1278},
       10000,
       10000,
       {21, 33, 341, 213}},
      {"a half rounds up", 6, 6, {3, 3, 603, 603}, 10000, 10000, {1, 1, 101, 101}},
      {"left and top of 1 show at 0 and keep the size",
       6,
       6,
       {1, 1, 601, 601},
       10000,
       10000,
       {0, 0, 100, 100}},
      {"negative left and top keep the size",
       6,
       6,
       {-60, -30, 540, 570},
       10000,
       10000,
       {0, 0, 100, 100}},
      {"different factors", 2.5, 4, {125, 198, 2045, 1278}, 10000, 10000, {50, 50, 818, 320}},
      {"far edge a pixel short of the client lands on it",
       6,
       6,
       {0, 0, 594, 594},
       100,
       100,
       {0, 0, 100, 100}},
      {"far edge two pixels short stays", 6, 6, {0, 0, 588, 588}, 100, 100, {0, 0, 98, 98}},
      {"far edge never passes the client", 6, 6, {0, 0, 1200, 900}, 100, 100, {0, 0, 100, 100}},
      {"single precision",
       kSingle38_4,
       kSingle38_4,
       {96, 96, 480, 864},
       10000,
       10000,
       {3, 3, 13, 23}},
      {"zero size", 6, 6, {300, 300, 300, 300}, 10000, 10000, {50, 50, 50, 50}},
      {"inverted comes out normalised", 6, 6, {600, 600, 0, 0}, 10000, 10000, {0, 0, 100, 100}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Pair(c.sx, c.sy).ToCanvas(c.device, c.clientWidth, c.clientHeight), c.canvas)
        << c.name;
  }
}

TEST(ScalePair, CanvasToDevice) {
  struct Case {
    const char* name;
    double sx, sy;
    Rect canvas;
    Rect device;
  };
  const Case cases[] = {
      {"first screen's image", 6, 6, {21, 33, 341, 213}, {126, 198, 2046, 1278}},
      {"canvas 0 and 1 give device 0", 6, 6, {1, 0, 101, 100}, {0, 0, 600, 600}},
      {"canvas 2 converts", 6, 6, {2, 2, 102, 102}, {12, 12, 612, 612}},
      {"halves round up, size on its own", 2.5, 2.5, {3, 3, 8, 8}, {8, 8, 21, 21}},
      // 45 x 0.7 is just below 31.5 in double precision, exactly 31.5 in single.
      {"double precision", 0.7, 0.7, {45, 45, 55, 55}, {31, 31, 38, 38}},
      {"zero size", 6, 6, {50, 50, 50, 50}, {300, 300, 300, 300}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Pair(c.sx, c.sy).ToDevice(c.canvas), c.device) << c.name;
  }
}

TEST(ScalePair, ExtremeFactorsSaturateInsteadOfOverflowing) {
  const Rect tiny = Pair(1e-30, 1e-30).ToCanvas({1000, 1000, 2000, 2000}, 10000, 10000);
  EXPECT_EQ(tiny, (Rect{10000, 10000, INT_MAX, INT_MAX}));
  const Rect huge = Pair(1e30, 1e30).ToDevice({5, 5, 10, 10});
  EXPECT_EQ(huge, (Rect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
}

}  // namespace
}  // namespace qv
