#pragma once
#include <cstdint>
#include <string>

namespace qv {

// An output resolution the output page offers; the processor tells entries
// with equal numbers apart by their index.
struct ResoPreset {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t rate = 0;  // hundredths of a hertz
  std::string text;
};

}  // namespace qv
