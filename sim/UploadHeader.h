#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace qv::sim {

// The 15-byte header of the encoder package upload on TCP: FF 01 00 00, two
// zero bytes, the command at byte 6 and a 32-bit little-endian value at byte 7
// (a reply carries its result in byte 7), then four zero bytes.
struct UploadHeader {
  enum class Command : uint8_t {
    Start = 'm',  // value: package size
    End = 'o',    // value: bytes sent
    Abort = 'a',
    Confirm = 'b',
    Reply = 0x60,  // byte 7: 1 success, 0 failure
  };

  static constexpr std::size_t kSize = 15;
  using Bytes = std::array<uint8_t, kSize>;

  Command command{};
  uint32_t value = 0;

  // Nothing when the bytes do not start with the header's mark.
  static std::optional<UploadHeader> Parse(const Bytes& b) {
    if (b[0] != 0xFF || b[1] != 0x01 || b[2] != 0x00 || b[3] != 0x00) return std::nullopt;
    return UploadHeader{static_cast<Command>(b[6]),
                        static_cast<uint32_t>(b[7]) | static_cast<uint32_t>(b[8]) << 8 |
                            static_cast<uint32_t>(b[9]) << 16 | static_cast<uint32_t>(b[10]) << 24};
  }

  Bytes Serialize() const {
    Bytes b{};
    b[0] = 0xFF;
    b[1] = 0x01;
    b[6] = static_cast<uint8_t>(command);
    for (int i = 0; i < 4; ++i) b[7 + i] = static_cast<uint8_t>(value >> (8 * i));
    return b;
  }
};

}  // namespace qv::sim
