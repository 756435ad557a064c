#include "FrameCodec.h"

#include "Crc.h"
#include "FrameLayout.h"

namespace qv::comm {

std::vector<uint8_t> FrameCodec::Encode(const Frame& frame) {
  return Encode(frame.cls, frame.destination, frame.source, frame.code, frame.arg, frame.payload);
}

std::vector<uint8_t> FrameCodec::Encode(FrameClass cls, uint8_t destination, uint8_t source,
                                        uint16_t code, int32_t arg,
                                        std::span<const uint8_t> payload) {
  if (payload.size() > kMaxPayload) return {};
  std::vector<uint8_t> out(kHeaderSize + payload.size() + kTrailerSize);
  uint8_t* h = out.data();
  h[0] = kSync0;
  h[1] = kSync1;
  h[2] = kProtocolVersion;
  h[3] = static_cast<uint8_t>(cls);
  h[4] = destination;
  h[5] = source;
  layout::Put16(h + 6, code);
  layout::Put32(h + 8, static_cast<uint32_t>(arg));
  layout::Put32(h + 12, static_cast<uint32_t>(payload.size()));
  layout::Put16(h + 16, Crc16({h, 16}));
  std::copy(payload.begin(), payload.end(), out.begin() + kHeaderSize);
  layout::Put32(h + kHeaderSize + payload.size(), Crc32(payload));
  return out;
}

bool FrameCodec::DecodeDatagram(std::span<const uint8_t> bytes, Frame& frame) {
  layout::HeaderInfo info;
  if (!layout::ParseHeader(bytes, info)) return false;
  if (bytes.size() != kHeaderSize + info.length + kTrailerSize) return false;
  const auto payload = bytes.subspan(kHeaderSize, info.length);
  if (layout::Get32(bytes.data() + kHeaderSize + info.length) != Crc32(payload)) return false;
  layout::FillFrame(info, payload, frame);
  return true;
}

}  // namespace qv::comm
