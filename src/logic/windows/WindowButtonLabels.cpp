#include "logic/windows/WindowButtonLabels.h"

namespace qv {

WindowButtonLabels::Buttons WindowButtonLabels::Plain() {
  return {{{"MAIN", true}, {"PIP-1", true}, {"PIP-2", true}, {"PIP-3", true}}};
}

WindowButtonLabels::Buttons WindowButtonLabels::Relabel(const Buttons& now,
                                                        const DeviceStatusRecord& rec,
                                                        int* selected, DualPreview dual) {
  Buttons buttons = now;
  switch (rec.PvwMode) {
    case 1:
      // One panel: the main window and PIP 1 switch between program and
      // preview; PIP 2 and 3 stay layers of their own.
      for (int k = 0; k < 2; ++k) {
        if (rec.PgmState[k] != 0) {
          buttons[k] = {"PGM", false};
        } else if (rec.PvwState[k] != 0) {
          buttons[k] = {"PVW", true};
          *selected = k;
        }
      }
      buttons[2] = {"PIP2", true};
      buttons[3] = {"PIP3", true};
      break;
    case 2:
      // Two panels: windows 0 and 2 on the first, 1 and 3 on the second.
      for (int k = 0; k < kWindowCount; ++k) {
        const char* panel = k % 2 == 0 ? "1" : "2";
        if (rec.PgmState[k] != 0) {
          buttons[k] = {std::string("PGM") + panel, false};
        } else if (rec.PvwState[k] != 0) {
          buttons[k] = {std::string("PVW") + panel, true};
          if (dual == DualPreview::ChoosesFirstPanel && k % 2 == 0) *selected = k;
        }
      }
      break;
    default:
      buttons = Plain();
      break;
  }
  return buttons;
}

}  // namespace qv
