#include "logic/task/MachineClock.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

void MachineClock::Reload(const std::array<uint8_t, 6>& clock, int64_t monotonicMs) {
  const CivilTime t{.year = 2000 + clock[0],
                    .month = clock[1],
                    .day = clock[2],
                    .hour = clock[3],
                    .minute = clock[4],
                    .second = clock[5]};
  known_ = t.Valid();
  if (known_) seconds_ = t.Seconds();
  // The seconds count from the answer on: what passed since the last tick
  // before it is in it already.
  carry_ = lastMonotonic_ ? -std::max<int64_t>(0, monotonicMs - *lastMonotonic_) : 0;
  if (!lastMonotonic_) lastMonotonic_ = monotonicMs;
}

MachineClock::Tick MachineClock::Advance(int64_t monotonicMs, int64_t calendarMs) {
  Tick tick;
  if (lastMonotonic_) {
    const int64_t passed = std::max<int64_t>(0, monotonicMs - *lastMonotonic_);
    carry_ += passed;
    if (known_) seconds_ += carry_ / 1000;
    carry_ %= 1000;
    if (lastCalendar_) {
      const int64_t moved = calendarMs - *lastCalendar_;
      tick.ask = known_ && std::llabs(moved - passed) > kJumpToleranceMs;
    }
  }
  lastMonotonic_ = monotonicMs;
  lastCalendar_ = calendarMs;
  if (known_) tick.shown = time();
  return tick;
}

}  // namespace qv
