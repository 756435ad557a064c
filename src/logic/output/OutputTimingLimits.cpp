#include "logic/output/OutputTimingLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qv {

namespace {

// A quotient taken as the transmitter's 16-bit registers take it.
int U16(double value) {
  if (!(value > 0)) return 0;
  return static_cast<uint16_t>(static_cast<uint32_t>(std::min(value, 4294967295.0)));
}

double Clock(int hTotal, int vTotal, int rate) {
  return std::floor(static_cast<double>(hTotal) * vTotal * rate / 100.0);
}

// Horizontal blanking: the short one at 52 Hz and above, and for the 30 Hz
// formats the transmitter runs with reduced blanking.
int HBlanking(bool shortBlanking) {
  return shortBlanking ? 128 : 512;
}

}  // namespace

int OutputTimingLimits::HLimit(int v, int rate, int h) {
  if (rate <= 0) return h;
  const int hb = HBlanking(rate >= 5200 || (rate == 3000 && (v == 1080 || v == 1200)));
  int hTotal = h + hb;
  if (hTotal > kMaxTotal) {
    hTotal = kMaxTotal;
    h = kMaxTotal - hb;
  }
  const int vTotal = std::min(v + kVerticalBlanking, kMaxTotal);
  if (Clock(hTotal, vTotal, rate) > kClockCeiling) {
    const int m = U16(kClockCeiling / (rate / 100.0 * vTotal));
    if (h + hb > m) h = m - hb;
  }
  return h - (h & 1);
}

OutputTimingLimits::HV OutputTimingLimits::VLimit(int v, int rate, int h) {
  if (rate <= 0) return {h, v};
  const int hb = HBlanking(rate >= 5200 || (rate == 3000 && h == 3840));
  int hTotal = h + hb;
  if (hTotal > kMaxTotal) {
    hTotal = kMaxTotal;
    h = kMaxTotal - hb;
  }
  int vTotal = v + kVerticalBlanking;
  if (vTotal > kMaxTotal) {
    vTotal = kMaxTotal;
    v = kMaxTotal - kVerticalBlanking;
  }
  if (Clock(hTotal, vTotal, rate) > kClockCeiling) {
    const int m = U16(kClockCeiling / (rate / 100.0 * hTotal));
    if (v + kVerticalBlanking > m) v = m - kVerticalBlanking;
  }
  return {h, v};
}

int OutputTimingLimits::RateLimit(int v, int rate, int h) {
  const int hb = HBlanking(rate >= 5200 || ((v == 1080 || v == 1200) && h == 3840));
  const int hTotal = std::min(h + hb, kMaxTotal);
  const int vTotal = std::min(v + kVerticalBlanking, kMaxTotal);
  if (Clock(hTotal, vTotal, rate) > kClockCeiling) {
    rate = U16(kClockCeiling / (static_cast<double>(hTotal) * vTotal) * 100.0);
  }
  return rate;
}

// The closed section's H and V limits take the rate in whole hertz (59.94 Hz
// counts as 59 Hz); the rate limit takes it to the hundredth.
OutputTimingLimits::Active OutputTimingLimits::CommitH(Active fields, const Timing& timing,
                                                       bool more) {
  int limit;
  if (more) {
    if (timing.vTotal <= 0 || fields.fps <= 0) return fields;
    const int e = U16(kClockCeiling / (timing.vTotal * fields.fps)) - timing.hbp - timing.hSync;
    limit = e - 32;
    if (limit & 1) --limit;
  } else {
    limit = HLimit(fields.v, static_cast<int>(std::trunc(fields.fps)) * 100, fields.h);
  }
  fields.h = std::min(fields.h, limit);
  return fields;
}

OutputTimingLimits::Active OutputTimingLimits::CommitV(Active fields, const Timing& timing,
                                                       bool more) {
  int limit;
  if (more) {
    if (timing.hTotal <= 0 || fields.fps <= 0) return fields;
    limit = U16(kClockCeiling / (timing.hTotal * fields.fps)) - timing.vbp - timing.vSync - 4;
  } else {
    const HV limited = VLimit(fields.v, static_cast<int>(std::trunc(fields.fps)) * 100, fields.h);
    fields.h = std::min(fields.h, limited.h);
    limit = limited.v;
  }
  fields.v = std::min(fields.v, limit);
  return fields;
}

OutputTimingLimits::Active OutputTimingLimits::CommitFps(Active fields, const Timing& timing,
                                                         bool more) {
  double limit;
  if (more) {
    if (timing.hTotal <= 0 || timing.vTotal <= 0) return fields;
    limit = kClockCeiling / (static_cast<double>(timing.vTotal) * timing.hTotal);
  } else {
    // The field holds two decimals; 59.94 x 100 is 5993.9999... in binary.
    const int rate = static_cast<int>(std::trunc(fields.fps * 100.0 + 1e-6));
    limit = RateLimit(fields.v, rate, fields.h) / 100.0;
  }
  fields.fps = std::min(fields.fps, limit);
  return fields;
}

int OutputTimingLimits::RaisedHTotal(int h, const Timing& timing) {
  return std::max(timing.hTotal, h + timing.hSync + timing.hbp + 32);
}

int OutputTimingLimits::RaisedVTotal(int v, const Timing& timing) {
  return std::max(timing.vTotal, v + timing.vSync + timing.vbp + 4);
}

}  // namespace qv
