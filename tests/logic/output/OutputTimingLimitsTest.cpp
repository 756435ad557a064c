#include "logic/output/OutputTimingLimits.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

using Active = OutputTimingLimits::Active;
using Timing = OutputTimingLimits::Timing;

// CVT-like totals for 1920 x 1080 at 60 Hz: 2200 x 1125.
constexpr Timing k1080p{
    .hTotal = 2200, .vTotal = 1125, .hSync = 44, .vSync = 5, .hbp = 148, .vbp = 36};

TEST(OutputTimingLimits, TheClosedSectionsLimitsAssumeTheBlanking) {
  struct Case {
    const char* name;
    enum { H, V, Fps } field;
    Active typed, committed;
  };
  const Case cases[] = {
      {"4080 wide at 60 Hz over 768 lines", Case::H, {4080, 768, 60.00}, {3316, 768, 60.00}},
      {"3000 wide at 60 Hz over 1080 lines", Case::H, {3000, 1080, 60.00}, {2346, 1080, 60.00}},
      {"1920 wide at 60 Hz over 1080 lines fits",
       Case::H,
       {1920, 1080, 60.00},
       {1920, 1080, 60.00}},
      {"120 Hz at 1920 x 1080", Case::Fps, {1920, 1080, 120.00}, {1920, 1080, 72.49}},
      {"60 Hz at 1920 x 1080 fits", Case::Fps, {1920, 1080, 60.00}, {1920, 1080, 60.00}},
      // 59.94 Hz: the H and V limits take 59 Hz, the rate limit 59.94 Hz.
      {"3000 wide at 59.94 Hz", Case::H, {3000, 1080, 59.94}, {2388, 1080, 59.94}},
      {"4080 wide at 59.94 Hz, its lines", Case::V, {4080, 1080, 59.94}, {3966, 653, 59.94}},
      {"59.94 Hz at 1920 x 1080 stays", Case::Fps, {1920, 1080, 59.94}, {1920, 1080, 59.94}},
      {"59.94 Hz at 2560 x 1440", Case::Fps, {2560, 1440, 59.94}, {2560, 1440, 41.68}},
      // An odd limit is rounded down to an even width.
      {"1921 wide, no clock limit", Case::H, {1921, 1080, 30.00}, {1920, 1080, 30.00}},
      // Below 52 Hz the blanking is long, but 30 Hz at 1080 lines is short.
      {"4000 wide at 50 Hz", Case::H, {4000, 600, 50.00}, {3582, 600, 50.00}},
      {"4000 wide at 30 Hz over 1080 lines", Case::H, {4000, 1080, 30.00}, {3966, 1080, 30.00}},
      {"4000 wide at 30 Hz over 1081 lines", Case::H, {4000, 1081, 30.00}, {3582, 1081, 30.00}},
      // The lines alone exceed the totals; the width that does is lowered too.
      {"4080 lines at 23 Hz", Case::V, {640, 4080, 23.00}, {640, 4066, 23.00}},
      {"4080 x 4080 at 30 Hz", Case::V, {4080, 4080, 30.00}, {3582, 1311, 30.00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Active result = c.field == Case::H   ? OutputTimingLimits::CommitH(c.typed, {}, false)
                          : c.field == Case::V ? OutputTimingLimits::CommitV(c.typed, {}, false)
                                               : OutputTimingLimits::CommitFps(c.typed, {}, false);
    EXPECT_EQ(result.h, c.committed.h);
    EXPECT_EQ(result.v, c.committed.v);
    EXPECT_NEAR(result.fps, c.committed.fps, 1e-9);
  }
}

TEST(OutputTimingLimits, TheOpenSectionsLimitsTakeTheTypedTotals) {
  // 164.5 MHz over 1125 lines at 60 Hz: 2437 pixels a line, less porch and
  // sync and the 32 the transmitter keeps, made even: 2212.
  EXPECT_EQ(OutputTimingLimits::CommitH({3000, 1080, 60.00}, k1080p, true).h, 2212);
  EXPECT_EQ(OutputTimingLimits::CommitH({1920, 1080, 60.00}, k1080p, true).h, 1920);
  // Over 2200 pixels at 60 Hz: 1246 lines, less porch, sync and 4: 1201.
  EXPECT_EQ(OutputTimingLimits::CommitV({1920, 1300, 60.00}, k1080p, true).v, 1201);
  EXPECT_EQ(OutputTimingLimits::CommitV({1920, 1080, 60.00}, k1080p, true).v, 1080);
  // 164.5 MHz over 2200 x 1125: 66.46 Hz.
  EXPECT_NEAR(OutputTimingLimits::CommitFps({1920, 1080, 120.00}, k1080p, true).fps,
              164500000.0 / (2200.0 * 1125.0), 1e-9);
  // Totals of zero (nothing typed yet) limit nothing rather than divide by it.
  EXPECT_EQ(OutputTimingLimits::CommitH({1920, 1080, 60.00}, {}, true).h, 1920);
  EXPECT_EQ(OutputTimingLimits::CommitFps({1920, 1080, 60.00}, {}, true).fps, 60.00);
}

TEST(OutputTimingLimits, TotalsRiseToHoldTheActiveSizeAndPorches) {
  EXPECT_EQ(OutputTimingLimits::RaisedHTotal(1920, k1080p), 2200);
  EXPECT_EQ(OutputTimingLimits::RaisedHTotal(2100, k1080p), 2100 + 44 + 148 + 32);
  EXPECT_EQ(OutputTimingLimits::RaisedVTotal(1080, k1080p), 1125);
  EXPECT_EQ(OutputTimingLimits::RaisedVTotal(1100, k1080p), 1100 + 5 + 36 + 4);
}

TEST(OutputTimingLimits, ARateOfZeroFromTheModelLimitsNothing) {
  EXPECT_EQ(OutputTimingLimits::HLimit(1080, 0, 4080), 4080);
  EXPECT_EQ(OutputTimingLimits::VLimit(1080, 0, 4080), (OutputTimingLimits::HV{4080, 1080}));
  EXPECT_EQ(OutputTimingLimits::RateLimit(1080, 0, 1920), 0);
}

}  // namespace
}  // namespace qv
