#include "logic/crop/CropArea.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(CropArea, ACommittedAreaStaysInsideTheInputFrame) {
  struct Case {
    const char* name;
    CropArea typed;
    int hTotal, vTotal;
    CropArea limited;
  };
  const Case cases[] = {
      {"width 1000 limits H start to 920", {1500, 0, 1000, 1080}, 1920, 1080, {920, 0, 1000, 1080}},
      {"a fitting area is kept", {100, 50, 800, 600}, 1920, 1080, {100, 50, 800, 600}},
      {"height past the bottom", {0, 900, 1920, 400}, 1920, 1080, {0, 680, 1920, 400}},
      {"wider than the frame", {300, 0, 2000, 1080}, 1920, 1080, {0, 0, 1920, 1080}},
      {"a frame without a signal leaves it as typed", {300, 200, 2000, 100}, 0, 0,
       {300, 200, 2000, 100}},
      {"only the known axis", {1500, 2000, 1000, 500}, 1920, 0, {920, 2000, 1000, 500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.typed.Limited(c.hTotal, c.vTotal), c.limited);
  }
}

TEST(CropArea, ThePreviewDrawsTheAreaAtTheFramesScale) {
  struct Case {
    const char* name;
    CropArea area;
    int hTotal, vTotal;
    Rect drawn;
  };
  const Case cases[] = {
      {"whole frame", {0, 0, 1920, 1080}, 1920, 1080, {0, 0, 130, 100}},
      // 1920 / 130 = 14.77: 960 is 64.99 pixels, 480 is 32.5 (rounded up).
      {"a quarter", {960, 540, 480, 270}, 1920, 1080, {65, 50, 98, 75}},
      {"totals of 0 draw one to one", {10, 20, 30, 40}, 0, 0, {10, 20, 40, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.area.InPreview(c.hTotal, c.vTotal, 130, 100), c.drawn);
  }
}

}  // namespace
}  // namespace qv
