#include "logic/task/MachineClock.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// 2026-05-14 09:30:00 as the processor sends it.
constexpr std::array<uint8_t, 6> kAnswer = {26, 5, 14, 9, 30, 0};
constexpr CivilTime kAnswered{.year = 2026, .month = 5, .day = 14, .hour = 9, .minute = 30};

CivilTime After(int seconds) {
  return CivilTime::FromSeconds(kAnswered.Seconds() + seconds);
}

TEST(MachineClock, MovesOnByTheMonotonicClockWhateverTheCalendarClockDoes) {
  struct Case {
    const char* name;
    int64_t monotonicStep, calendarStep;  // between the two ticks after the answer, ms
    int advanced;                         // seconds
    bool ask;
  };
  const Case cases[] = {
      {"one second", 1000, 1000, 1, false},
      {"two ticks five seconds apart: the computer was busy", 5000, 5000, 5, false},
      {"the calendar clock set back an hour", 1000, -3'600'000, 1, true},
      {"the calendar clock set forward a day", 1000, 86'400'000, 1, true},
      {"a suspend the monotonic clock did not count", 1000, 7'200'000, 1, true},
      {"jitter of a timer", 1000, 2500, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachineClock clock;
    clock.Advance(0, 50'000);
    clock.Reload(kAnswer, 0);
    const MachineClock::Tick first = clock.Advance(1000, 51'000);
    ASSERT_TRUE(first.shown);
    EXPECT_EQ(*first.shown, After(1));
    const MachineClock::Tick second =
        clock.Advance(1000 + c.monotonicStep, 51'000 + c.calendarStep);
    ASSERT_TRUE(second.shown);
    EXPECT_EQ(*second.shown, After(1 + c.advanced));
    EXPECT_EQ(second.ask, c.ask);
  }
}

TEST(MachineClock, AnAnswerBetweenTwoTicksCountsFromWhenItCame) {
  MachineClock clock;
  clock.Advance(0, 0);
  clock.Reload(kAnswer, 400);
  EXPECT_EQ(*clock.Advance(1000, 1000).shown, After(0));
  EXPECT_EQ(*clock.Advance(2000, 2000).shown, After(1));
  EXPECT_EQ(*clock.Advance(3000, 3000).shown, After(2));
  // Fractions add up: no second is lost or counted twice over many ticks.
  for (int64_t ms = 3700; ms <= 63'700; ms += 1000) clock.Advance(ms, ms);
  EXPECT_EQ(clock.time(), After(63));
}

TEST(MachineClock, NothingIsShownWhileTheTimeIsNotKnown) {
  MachineClock clock;
  EXPECT_FALSE(clock.Advance(0, 0).shown);
  clock.Reload(kAnswer, 0);
  clock.Advance(1000, 1000);
  // "SYNC" sent: the time stands until the processor answers.
  clock.Forget();
  EXPECT_FALSE(clock.Advance(2000, 2000).shown);
  EXPECT_FALSE(clock.Advance(3000, 60'000).ask) << "nothing to ask while an answer is due";
  clock.Reload({27, 1, 1, 0, 0, 0}, 3500);
  EXPECT_EQ(*clock.Advance(4500, 61'000).shown,
            (CivilTime{.year = 2027, .month = 1, .day = 1, .second = 1}));
}

TEST(MachineClock, ATimeNoCalendarHasIsNotMovedOn) {
  MachineClock clock;
  clock.Reload({26, 13, 40, 25, 61, 61}, 0);
  EXPECT_FALSE(clock.known());
  EXPECT_FALSE(clock.Advance(1000, 1000).shown);
}

TEST(MachineClock, TheDayRollsOverAtMidnight) {
  MachineClock clock;
  clock.Reload({26, 12, 31, 23, 59, 59}, 0);
  EXPECT_EQ(*clock.Advance(1000, 1000).shown, (CivilTime{.year = 2027, .month = 1, .day = 1}));
}

}  // namespace
}  // namespace qv
