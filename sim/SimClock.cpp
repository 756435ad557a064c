#include "SimClock.h"

#include <ctime>

namespace qv::sim {

namespace {

using namespace std::chrono;

constexpr int64_t kDay = 86400;

std::optional<int64_t> CivilSeconds(int year, unsigned month, unsigned day, unsigned hour,
                                    unsigned minute, unsigned second) {
  const year_month_day ymd{std::chrono::year{year}, std::chrono::month{month},
                           std::chrono::day{day}};
  if (!ymd.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  const int64_t days = (sys_days{ymd} - sys_days{2000y / January / 1}).count();
  return days * kDay + hour * 3600 + minute * 60 + second;
}

}  // namespace

bool SimClock::Set(const Fields& fields, TimePoint now) {
  const std::optional<int64_t> seconds = SecondsOf(fields);
  if (!seconds) return false;
  offset_ = *seconds - HostLocalSeconds(now);
  return true;
}

std::optional<int64_t> SimClock::SecondsOf(const Fields& f) {
  return CivilSeconds(2000 + f[0], f[1], f[2], f[3], f[4], f[5]);
}

SimClock::Fields SimClock::FieldsOf(int64_t seconds) {
  int64_t days = seconds / kDay;
  int64_t rest = seconds % kDay;
  if (rest < 0) {
    rest += kDay;
    --days;
  }
  const year_month_day ymd{sys_days{2000y / January / 1} + std::chrono::days{days}};
  return {static_cast<uint8_t>(static_cast<int>(ymd.year()) - 2000),
          static_cast<uint8_t>(static_cast<unsigned>(ymd.month())),
          static_cast<uint8_t>(static_cast<unsigned>(ymd.day())),
          static_cast<uint8_t>(rest / 3600),
          static_cast<uint8_t>(rest / 60 % 60),
          static_cast<uint8_t>(rest % 60)};
}

int64_t SimClock::HostLocalSeconds(TimePoint now) {
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  return CivilSeconds(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday), static_cast<unsigned>(local.tm_hour),
                      static_cast<unsigned>(local.tm_min),
                      // A leap second reads as the second before it.
                      static_cast<unsigned>(local.tm_sec > 59 ? 59 : local.tm_sec))
      .value_or(0);
}

}  // namespace qv::sim
