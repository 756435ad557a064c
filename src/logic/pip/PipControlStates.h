#pragma once
// What each group of the PIP page shows and lets the operator change: its
// caption, the ON/OFF toggle's state and whether it can be pressed, and
// whether alpha and input can be changed. A PIP's alpha and input wait until
// it is on. In preview/program mode a window on program is what the audience
// sees, so the page locks it; window 3 keeps its input while it carries the
// logo.

#include <array>
#include <string>

#include "link/DeviceModel.h"

namespace qv {

class PipControlStates {
 public:
  // PIP i is window i + 1.
  static constexpr int kPipCount = kWindowCount - 1;

  struct Pip {
    std::string caption;
    bool on = false;
    bool toggleEnabled = true;
    bool alphaEnabled = false;
    bool inputEnabled = false;
    bool operator==(const Pip&) const = default;
  };
  using Pips = std::array<Pip, kPipCount>;

  // Before anything was read: every PIP off.
  static Pips Initial();
  // The windows as the model holds them, then the switcher's rules (ForMode).
  static Pips Reload(const Pips& now, const DeviceModel& model);
  // The switcher's rules for its mode. One panel: PIP-1 is the program or
  // preview side and only its input can change, on preview; PIP-2 and PIP-3
  // are locked while on program. Two panels: each PIP is named as the window
  // buttons name it ("PGM2", "PVW1", ...) and locked while on program.
  // Otherwise every PIP follows its window.
  static Pips ForMode(const Pips& now, const DeviceModel& model);
  // True while PIP `pip`'s toggle must not change its window: window 3
  // carries the logo, which the logo page switches.
  static bool ToggleRefused(const DeviceModel& model, int pip);
};

}  // namespace qv
