#include "logic/edid/EdidTimingLimits.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Field = EdidTimingLimits::Field;
using Timing = EdidTimingLimits::Timing;
constexpr int64_t k165 = EdidTimingLimits::kSingleLinkHz, k300 = EdidTimingLimits::kHighRateHz;

TEST(EdidTimingLimits, EachInputsLimitFollowsItsCard) {
  struct Case {
    int input;
    int32_t card;
    int64_t limit;
  };
  const Case cases[] = {
      {0, 4, k165},                 // DVI
      {7, 3, k165},                 // VGA
      {1, 6, k165},                 // HDMI on a main board input
      {6, 6, k300},                 // HDMI on input 6
      {7, 6, k165},                 // HDMI on input 7: no rule names it; the lower limit
      {4, 8, k300},                 // DisplayPort
      {6, 8, k300},  {2, 0, k165},  // a card type the processor reports that none is
      {3, 99, k165},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "input " << c.input << " card " << c.card);
    EXPECT_EQ(EdidTimingLimits::ClockLimit(c.input, c.card), c.limit);
  }
}

TEST(EdidTimingLimits, ACommittedFieldIsLoweredToWhatTheOthersAllow) {
  // 1920 x 1080 with 280 x 45 blanking: 2200 x 1125 = 2 475 000 pixels a frame.
  constexpr Timing k1080{.hActive = 1920, .vActive = 1080, .fps = 60, .hBlank = 280, .vBlank = 45};
  struct Case {
    const char* name;
    Field field;
    Timing typed;
    int64_t limit;
    Timing committed;
  };
  const auto with = [&](auto member, int value) {
    Timing t = k1080;
    t.*member = value;
    return t;
  };
  const Case cases[] = {
      {"FPS 120 at 165 MHz", Field::Fps, with(&Timing::fps, 120), k165, with(&Timing::fps, 66)},
      {"FPS 120 at 300 MHz fits", Field::Fps, with(&Timing::fps, 120), k300,
       with(&Timing::fps, 120)},
      {"FPS 60 fits", Field::Fps, k1080, k165, k1080},
      // 165 MHz over 1125 lines at 60 Hz: 2444 pixels a line, less 280.
      {"H Active 3840", Field::HActive, with(&Timing::hActive, 3840), k165,
       with(&Timing::hActive, 2164)},
      // Over 2200 pixels at 60 Hz: 1250 lines, less 45.
      {"V Active 2160", Field::VActive, with(&Timing::vActive, 2160), k165,
       with(&Timing::vActive, 1205)},
      {"H Blank 900", Field::HBlank, with(&Timing::hBlank, 900), k165, with(&Timing::hBlank, 524)},
      {"V Blank 400", Field::VBlank, with(&Timing::vBlank, 400), k165, with(&Timing::vBlank, 170)},
      // Even the least width is too much: the field stops at its range.
      {"H Active with 9999 blanking", Field::HActive,
       Timing{.hActive = 1920, .vActive = 1080, .fps = 60, .hBlank = 9999, .vBlank = 45}, k165,
       Timing{.hActive = 240, .vActive = 1080, .fps = 60, .hBlank = 9999, .vBlank = 45}},
      {"FPS with the largest frame", Field::Fps,
       Timing{.hActive = 3840, .vActive = 3840, .fps = 60, .hBlank = 9999, .vBlank = 9999}, k300,
       Timing{.hActive = 3840, .vActive = 3840, .fps = 20, .hBlank = 9999, .vBlank = 9999}},
      // A zero product from fields not yet set up divides nothing.
      {"no frame yet", Field::Fps, Timing{.fps = 60}, k165, Timing{.fps = 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EdidTimingLimits::Commit(c.typed, c.field, c.limit), c.committed);
  }
}

}  // namespace
}  // namespace qv
