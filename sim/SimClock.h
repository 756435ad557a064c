#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

namespace qv::sim {

// The processor's real-time clock: the host's local time plus an offset that
// the console's clock synchronisation sets. Times are counted as calendar
// seconds since 2000-01-01 00:00:00 in local time, so daylight-saving changes
// on the host never make the processor's clock jump against its own tasks.
class SimClock {
 public:
  using TimePoint = std::chrono::system_clock::time_point;
  // Year after 2000, month, day, hour, minute, second: the clock bytes of the wire.
  using Fields = std::array<uint8_t, 6>;

  int64_t Seconds(TimePoint now) const { return HostLocalSeconds(now) + offset_; }
  Fields At(TimePoint now) const { return FieldsOf(Seconds(now)); }
  // Sets the clock to `fields` at host time `now`. False, and nothing changes,
  // for a date or time that does not exist.
  bool Set(const Fields& fields, TimePoint now);

  static std::optional<int64_t> SecondsOf(const Fields& fields);
  static Fields FieldsOf(int64_t seconds);

 private:
  static int64_t HostLocalSeconds(TimePoint now);

  int64_t offset_ = 0;
};

}  // namespace qv::sim
