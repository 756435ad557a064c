#pragma once
#include <array>

#include "link/DeviceModel.h"
#include "link/DeviceStatusRecord.h"

namespace qv::sim {

// The simulated processor's factory state: a 1920 x 1080 at 60 Hz output with
// cards in all eight input slots, signals on five of them, and four windows
// laid out over the output; and the ten built-in layout templates.
class SimFactory {
 public:
  static DeviceStatusRecord Record(bool compositeBoard);
  static PictureSettings PictureDefaults();
  static EdidInfo Edid(uint8_t input);

  // A template window: on or off and its rectangle in twelfths of the output.
  struct TemplateWindow {
    bool on;
    int x, y, w, h;
  };
  using Template = std::array<TemplateWindow, kWindowCount>;
  static const std::array<Template, kPresetCount>& Templates();
};

}  // namespace qv::sim
