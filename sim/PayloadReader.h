#pragma once
#include <cstdint>

#include "link/CommLink.h"

namespace qv::sim {

// Little-endian reads from a 32-byte command payload. Offsets are the
// console's fixed layouts, so they are always inside the payload.
class PayloadReader {
 public:
  explicit PayloadReader(const Payload& payload) : p_(payload) {}

  uint8_t u8(int at) const { return p_[at]; }
  int8_t s8(int at) const { return static_cast<int8_t>(p_[at]); }
  uint16_t u16(int at) const { return static_cast<uint16_t>(p_[at] | p_[at + 1] << 8); }
  uint32_t u32(int at) const {
    return static_cast<uint32_t>(u16(at)) | static_cast<uint32_t>(u16(at + 2)) << 16;
  }

 private:
  const Payload& p_;
};

}  // namespace qv::sim
