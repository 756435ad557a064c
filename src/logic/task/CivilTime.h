#pragma once
// A date and a time of day as a calendar and a clock show them, with no time
// zone: the processor's clock and its tasks count in the local time the
// console set, and the console reads its own clock the same way.

#include <cstdint>

namespace qv {

struct CivilTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool operator==(const CivilTime&) const = default;

  // False for a date or time that does not exist (31 April, 25 o'clock).
  bool Valid() const;
  // Seconds since 2000-01-01 00:00:00; for a valid time only.
  int64_t Seconds() const;
  static CivilTime FromSeconds(int64_t seconds);
  // 28 to 31; 31 for a month outside 1..12.
  static int DaysInMonth(int year, int month);
};

}  // namespace qv
