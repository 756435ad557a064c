#pragma once
// Feathering softens the edges where two output panels of a mosaic overlap:
// it works only in the two-panel mosaics, on windows that are on, and not
// together with a keyer, a caption or a bordered or underlying logo. The
// first group of the page edits window 2 in "Panel x 2" and window 1 in
// "Panel x2_1"; the second always window 3.

#include "link/CommandEncoder.h"

namespace qv {

class FeatherControl {
 public:
  static constexpr int kLastWindow = 3;
  // The byte of a caption slot record that says the caption is shown.
  static constexpr int kCaptionOnByte = 12;

  explicit FeatherControl(CommandEncoder& encoder) : encoder_(encoder) {}

  // The window the first group edits in `mosaicMode`; `current` in the
  // modes that do not say.
  static int FirstWindow(int mosaicMode, int current);
  // Whether the processor can feather now.
  bool CanSwitchOn() const;
  // Off always goes; on only when it can. False, and nothing sent, when not.
  bool Switch(bool on);
  bool on() const { return model().FeatherOnOff != 0; }
  // The shape (1..5) or level (0..3) of window 1..3.
  void SetSharp(int window, int sharp);
  void SetLevel(int window, int level);

 private:
  DeviceModel& model() const { return encoder_.model(); }
  void Send(int window);

  CommandEncoder& encoder_;
};

}  // namespace qv
