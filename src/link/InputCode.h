#pragma once

namespace qv {

inline constexpr int kInputCodeCount = 12;

// Input codes as the processor numbers them on the wire: tens are the physical
// input, units the half of a split DisplayPort input (0 left, 1 right).
constexpr int InputCode(int code) {
  switch (code) {
    case 8:
      return 40;
    case 9:
      return 41;
    case 10:
      return 60;
    case 11:
      return 61;
    default:
      return code * 10;
  }
}

}  // namespace qv
