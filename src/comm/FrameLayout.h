#pragma once
// Byte-level helpers shared by the frame writer and reader.

#include <cstdint>
#include <span>

#include "Crc.h"
#include "Frame.h"

namespace qv::comm::layout {

inline void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(uint8_t* p, uint32_t v) {
  Put16(p, static_cast<uint16_t>(v));
  Put16(p + 2, static_cast<uint16_t>(v >> 16));
}
inline uint16_t Get16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(Get16(p)) | static_cast<uint32_t>(Get16(p + 2)) << 16;
}

struct HeaderInfo {
  FrameClass cls = FrameClass::Command;
  uint8_t destination = 0;
  uint8_t source = 0;
  uint16_t code = 0;
  int32_t arg = 0;
  uint32_t length = 0;
};

// Checks the sync pair, version, class, length bound and header check of the
// first kHeaderSize bytes; false when any fails or the bytes are too few.
inline bool ParseHeader(std::span<const uint8_t> bytes, HeaderInfo& info) {
  if (bytes.size() < kHeaderSize) return false;
  const uint8_t* h = bytes.data();
  if (h[0] != kSync0 || h[1] != kSync1 || h[2] != kProtocolVersion) return false;
  if (h[3] < static_cast<uint8_t>(FrameClass::Command) ||
      h[3] > static_cast<uint8_t>(FrameClass::DiscoveryAnswer)) {
    return false;
  }
  if (Get16(h + 16) != Crc16({h, 16})) return false;
  const uint32_t length = Get32(h + 12);
  if (length > kMaxPayload) return false;
  info.cls = static_cast<FrameClass>(h[3]);
  info.destination = h[4];
  info.source = h[5];
  info.code = Get16(h + 6);
  info.arg = static_cast<int32_t>(Get32(h + 8));
  info.length = length;
  return true;
}

// The frame a checked header and its payload make.
inline void FillFrame(const HeaderInfo& info, std::span<const uint8_t> payload, Frame& frame) {
  frame.cls = info.cls;
  frame.destination = info.destination;
  frame.source = info.source;
  frame.code = info.code;
  frame.arg = info.arg;
  frame.payload.assign(payload.begin(), payload.end());
}

}  // namespace qv::comm::layout
