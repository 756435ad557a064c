#include "logic/task/CivilTime.h"

#include <chrono>

namespace qv {

namespace {

using namespace std::chrono;

constexpr int64_t kDay = 86400;
constexpr sys_days kEpoch = sys_days{2000y / January / 1};

year_month_day DateOf(const CivilTime& t) {
  return {std::chrono::year{t.year}, std::chrono::month{static_cast<unsigned>(t.month)},
          std::chrono::day{static_cast<unsigned>(t.day)}};
}

}  // namespace

bool CivilTime::Valid() const {
  return month >= 1 && month <= 12 && day >= 1 && DateOf(*this).ok() && hour >= 0 && hour <= 23 &&
         minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

int64_t CivilTime::Seconds() const {
  const int64_t days = (sys_days{DateOf(*this)} - kEpoch).count();
  return days * kDay + hour * 3600 + minute * 60 + second;
}

CivilTime CivilTime::FromSeconds(int64_t seconds) {
  int64_t days = seconds / kDay;
  int64_t rest = seconds % kDay;
  if (rest < 0) {
    rest += kDay;
    --days;
  }
  const year_month_day ymd{kEpoch + std::chrono::days{days}};
  return {.year = static_cast<int>(ymd.year()),
          .month = static_cast<int>(static_cast<unsigned>(ymd.month())),
          .day = static_cast<int>(static_cast<unsigned>(ymd.day())),
          .hour = static_cast<int>(rest / 3600),
          .minute = static_cast<int>(rest / 60 % 60),
          .second = static_cast<int>(rest % 60)};
}

int CivilTime::DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 31;
  const year_month_day_last last{std::chrono::year{year} /
                                 std::chrono::month{static_cast<unsigned>(month)} /
                                 std::chrono::last};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

}  // namespace qv
