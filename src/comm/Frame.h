#pragma once
// One unit of the link protocol between the console and a processor; the byte
// layout is in docs/protocol.md.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::comm {

enum class FrameClass : uint8_t {
  Command = 1,           // console -> processor: code = command type
  Record = 2,            // console -> processor: the whole device record (code 22)
  Block = 3,             // console -> processor: caption image block, arg = block number
  Reply = 4,             // processor -> console: code = reply kind, arg = index/count/channel
  KeepaliveRequest = 5,  // either way
  KeepaliveAnswer = 6,   // either way
  DiscoveryRequest = 7,  // UDP, console -> any processor
  DiscoveryAnswer = 8,   // UDP, processor -> console
};

inline constexpr uint8_t kSync0 = 0xA5;
inline constexpr uint8_t kSync1 = 0x5A;
inline constexpr uint8_t kProtocolVersion = 1;
inline constexpr std::size_t kHeaderSize = 18;  // including the header check
inline constexpr std::size_t kTrailerSize = 4;  // payload check
inline constexpr std::size_t kMaxPayload = 1u << 20;
inline constexpr uint8_t kConsoleAddress = 0;
inline constexpr uint8_t kAllDevices = 0xFF;
inline constexpr int kDiscoveryPort = 61213;

struct Frame {
  FrameClass cls = FrameClass::Command;
  uint8_t destination = kAllDevices;
  uint8_t source = kConsoleAddress;
  uint16_t code = 0;
  int32_t arg = 0;
  std::vector<uint8_t> payload;
};

}  // namespace qv::comm
