#pragma once
#include <cstdint>
#include <span>

namespace qv::comm {

// CRC-16/CCITT-FALSE (poly 0x1021, init 0xFFFF): guards a frame header.
uint16_t Crc16(std::span<const uint8_t> bytes);
// CRC-32 as in Ethernet and zlib (reflected poly 0xEDB88320): guards a payload.
uint32_t Crc32(std::span<const uint8_t> bytes);

}  // namespace qv::comm
