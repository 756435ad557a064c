#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "Frame.h"

namespace qv::comm {

class FrameCodec {
 public:
  // The frame's bytes, ready for one write. Payloads beyond kMaxPayload are
  // refused with an empty result.
  static std::vector<uint8_t> Encode(const Frame& frame);
  static std::vector<uint8_t> Encode(FrameClass cls, uint8_t destination, uint8_t source,
                                     uint16_t code, int32_t arg, std::span<const uint8_t> payload);
  // A whole datagram holding exactly one frame (UDP discovery); false when it does not.
  static bool DecodeDatagram(std::span<const uint8_t> bytes, Frame& frame);
};

}  // namespace qv::comm
