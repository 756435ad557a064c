#pragma once
// The four window buttons the output, picture and crop pages share ("MAIN",
// "PIP-1" .. "PIP-3"). In preview/program mode they say which window is on
// program and which on preview: a window on program cannot be chosen, since
// a page editing it would change what the audience sees, and the preview
// window is chosen for the operator.

#include <array>
#include <string>

#include "link/DeviceModel.h"

namespace qv {

class WindowButtonLabels {
 public:
  struct Button {
    std::string label;
    bool enabled = true;
    bool operator==(const Button&) const = default;
  };
  using Buttons = std::array<Button, kWindowCount>;

  // What the buttons read outside preview/program mode.
  static Buttons Plain();

  // Which window on preview becomes the chosen one in two-panel mode: none
  // (the output page, where the operator places windows on either panel),
  // or the first panel's (the picture page, which adjusts what goes to air
  // next on the main panel).
  enum class DualPreview { KeepsChoice, ChoosesFirstPanel };

  // The buttons after the switcher state of `rec` changed, from what they
  // show now: a button whose window is neither on program nor on preview
  // keeps its label. `selected` is the page's chosen window; in one-panel
  // mode a window on preview becomes it.
  static Buttons Relabel(const Buttons& now, const DeviceStatusRecord& rec, int* selected,
                         DualPreview dual = DualPreview::KeepsChoice);
};

}  // namespace qv
