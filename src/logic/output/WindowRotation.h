#pragma once
// The eight rotations a window can take ("OFF", "-90°", "90°", "H Flip",
// "V Flip", "180°", "-90°+HFlip", "90°+HFlip "), by the value the processor
// stores, as quarter turns clockwise followed by an optional left-right
// mirror: what the output page's preview picture shows.

namespace qv {

struct WindowRotation {
  int quarterTurns = 0;  // clockwise
  bool mirrored = false;  // left-right, after the turns

  // A value outside 0..7 (from the wire) shows the picture unchanged.
  static constexpr WindowRotation Of(int value) {
    constexpr WindowRotation kTable[] = {{0, false}, {1, false}, {3, false}, {0, true},
                                         {2, true},  {2, false}, {1, true},  {3, true}};
    return value >= 0 && value < 8 ? kTable[value] : WindowRotation{};
  }
};

}  // namespace qv
