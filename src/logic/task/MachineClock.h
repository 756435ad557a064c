#pragma once
// The processor's clock as the time and tasks page shows it. The processor
// tells its time when asked (ClockReply); between answers the page moves it
// on once a second by the time that passed. That time is read from a
// monotonic clock, never from the computer's calendar clock, so that the
// computer's clock being set back or forward cannot run the shown time
// backwards or make it race, and a tick that comes late (the computer was
// busy) still adds every second that passed.
//
// When the calendar clock moved by other than the monotonic clock between two
// ticks (it was set, or the computer slept, which the monotonic clock does
// not count), the processor's clock went on meanwhile by an amount the page
// cannot know: Tick tells the page to ask the processor again.

#include <array>
#include <cstdint>
#include <optional>

#include "logic/task/CivilTime.h"

namespace qv {

class MachineClock {
 public:
  // More than this between the two clocks' readings is a jump, not jitter.
  static constexpr int64_t kJumpToleranceMs = 2000;

  // The processor's clock bytes (years after 2000, month, day, hour, minute,
  // second), as `monotonicMs` reads now. A time that does not exist is shown
  // as it came but not moved on.
  void Reload(const std::array<uint8_t, 6>& clock, int64_t monotonicMs);
  // The console set the processor's clock: the time is not known until the
  // processor answers.
  void Forget() { known_ = false; }

  struct Tick {
    // The time to show; none while it is not known.
    std::optional<CivilTime> shown;
    // The calendar clock jumped: ask the processor for its time.
    bool ask = false;
  };
  // Once a second: the monotonic clock and the calendar clock (milliseconds
  // since the epoch) as read now.
  Tick Advance(int64_t monotonicMs, int64_t calendarMs);

  bool known() const { return known_; }
  CivilTime time() const { return CivilTime::FromSeconds(seconds_); }

 private:
  bool known_ = false;
  int64_t seconds_ = 0;
  // Milliseconds towards the next whole second; below 0 after an answer that
  // came between two ticks (the time since the last tick is in the answer).
  int64_t carry_ = 0;
  std::optional<int64_t> lastMonotonic_;
  std::optional<int64_t> lastCalendar_;
};

}  // namespace qv
