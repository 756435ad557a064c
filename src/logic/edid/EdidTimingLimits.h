#pragma once
// What an input's receiver can clock, for the timing its EDID announces: the
// pixel clock, (H Active + H Blank) x (V Active + V Blank) x frame rate, must
// stay within the input's limit. The EDID page lowers a committed field to
// what the other four allow.

#include <cstdint>

namespace qv {

class EdidTimingLimits {
 public:
  static constexpr int64_t kSingleLinkHz = 165'000'000;
  static constexpr int64_t kHighRateHz = 300'000'000;

  // The limit of input `input` with card type `sourceType` (InputSrc): 300 MHz
  // for a DisplayPort card and for HDMI on input 6, 165 MHz for DVI, VGA and
  // the other HDMI inputs, and 165 MHz too for a type the processor reports
  // that none of these is (the lower limit is the one every receiver takes).
  static int64_t ClockLimit(int input, int32_t sourceType);

  enum class Field { HActive, VActive, Fps, HBlank, VBlank };
  static constexpr Field kFields[] = {Field::HActive, Field::VActive, Field::Fps, Field::HBlank,
                                      Field::VBlank};
  // The page's fields, frame rate in whole hertz.
  struct Timing {
    int hActive = 0, vActive = 0, fps = 0, hBlank = 0, vBlank = 0;
    bool operator==(const Timing&) const = default;
    constexpr int at(Field field) const {
      switch (field) {
        case Field::HActive:
          return hActive;
        case Field::VActive:
          return vActive;
        case Field::Fps:
          return fps;
        case Field::HBlank:
          return hBlank;
        case Field::VBlank:
          break;
      }
      return vBlank;
    }
  };
  // The fields' ranges.
  static constexpr Timing Minimum() { return {.hActive = 240, .vActive = 240, .fps = 20}; }
  static constexpr Timing Maximum() {
    return {.hActive = 3840, .vActive = 3840, .fps = 121, .hBlank = 9999, .vBlank = 9999};
  }

  // The fields after `field` was committed: the field lowered to what the
  // others allow within `limit`, but never below its range (where even its
  // least value is too much, the others must give).
  static Timing Commit(Timing fields, Field field, int64_t limit);
};

}  // namespace qv
