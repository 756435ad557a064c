#pragma once
// What the output transmitter can clock, for the customised output timing:
// the pixel clock (total pixels x total lines x frame rate) must stay under
// 164.5 MHz and the totals under 4094. The page lowers what the operator
// typed to these limits when a field is committed.
//
// Rates are in hundredths of a hertz (6000 = 60.00 Hz); sizes in pixels and
// lines. With the timing section closed, the blanking is assumed (128 or 512
// pixels, 28 lines); with it open, the typed totals and porches count.

namespace qv {

class OutputTimingLimits {
 public:
  static constexpr double kClockCeiling = 164500000.0;
  static constexpr int kMaxTotal = 4094;
  static constexpr int kVerticalBlanking = 28;

  // The timing section's fields.
  struct Timing {
    int hTotal = 0, vTotal = 0;
    int hSync = 0, vSync = 0;
    int hbp = 0, vbp = 0;
  };
  // The customised resolution's fields: active size and frame rate in hertz.
  struct Active {
    int h = 0, v = 0;
    double fps = 0;
    bool operator==(const Active&) const = default;
  };

  // The widest active line that `v` lines at `rate` allow, `h` or less, even.
  static int HLimit(int v, int rate, int h);
  // The most lines that `h` pixels at `rate` allow, `v` or less; the width
  // is lowered too when it alone exceeds the totals.
  struct HV {
    int h = 0, v = 0;
    bool operator==(const HV&) const = default;
  };
  static HV VLimit(int v, int rate, int h);
  // The highest rate, `rate` or less, that `h` x `v` allow.
  static int RateLimit(int v, int rate, int h);

  // The commit rules of H Active, V Active and FPS: the fields as they are
  // after the one named was committed. `more` is the timing section open.
  static Active CommitH(Active fields, const Timing& timing, bool more);
  static Active CommitV(Active fields, const Timing& timing, bool more);
  static Active CommitFps(Active fields, const Timing& timing, bool more);

  // The totals raised to hold the active size, sync and back porch (the H
  // and V total rules, also run after a sync or porch commit).
  static int RaisedHTotal(int h, const Timing& timing);
  static int RaisedVTotal(int v, const Timing& timing);
};

}  // namespace qv
