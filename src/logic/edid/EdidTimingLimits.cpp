#include "logic/edid/EdidTimingLimits.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int32_t kHdmiCard = 6, kDpCard = 8;
constexpr int kHighRateHdmiInput = 6;

// The most of a quantity that `limit` allows over `per` of it; `per` is never
// 0 for fields in their ranges, but a product from the wire is not trusted.
int64_t Quotient(int64_t limit, int64_t per) {
  return per > 0 ? limit / per : limit;
}

}  // namespace

int64_t EdidTimingLimits::ClockLimit(int input, int32_t sourceType) {
  if (sourceType == kDpCard || (sourceType == kHdmiCard && input == kHighRateHdmiInput)) {
    return kHighRateHz;
  }
  // DVI, VGA, HDMI on the other inputs and any other type.
  return kSingleLinkHz;
}

EdidTimingLimits::Timing EdidTimingLimits::Commit(Timing t, Field field, int64_t limit) {
  const int64_t lines = int64_t{t.vActive} + t.vBlank;
  const int64_t pixels = int64_t{t.hActive} + t.hBlank;
  const auto lower = [](int& value, int64_t most, int least) {
    if (value > most) value = static_cast<int>(std::max<int64_t>(most, least));
  };
  switch (field) {
    case Field::HActive:
      lower(t.hActive, Quotient(limit, lines * t.fps) - t.hBlank, Minimum().hActive);
      break;
    case Field::VActive:
      lower(t.vActive, Quotient(limit, pixels * t.fps) - t.vBlank, Minimum().vActive);
      break;
    case Field::HBlank:
      lower(t.hBlank, Quotient(limit, lines * t.fps) - t.hActive, Minimum().hBlank);
      break;
    case Field::VBlank:
      lower(t.vBlank, Quotient(limit, pixels * t.fps) - t.vActive, Minimum().vBlank);
      break;
    case Field::Fps:
      lower(t.fps, Quotient(limit, pixels * lines), Minimum().fps);
      break;
  }
  return t;
}

}  // namespace qv
