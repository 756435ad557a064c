#pragma once
#include <array>
#include <cstdint>

namespace qv::sim {

// The analogue front end of one input slot: sampling clock and phase, picture
// position, and the converter's offsets and gains in the order red offset,
// red gain, green offset, green gain, blue offset, blue gain.
struct VgaSettings {
  uint32_t clock = 1344;
  uint32_t phase = 16;
  int8_t hPos = 0;
  int8_t vPos = 0;
  std::array<uint16_t, 6> adc{128, 512, 128, 512, 128, 512};
  uint8_t ddc = 1;
};

}  // namespace qv::sim
