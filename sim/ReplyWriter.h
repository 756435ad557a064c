#pragma once
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace qv::sim {

// Builds a reply payload of a fixed size, little-endian like the record.
class ReplyWriter {
 public:
  explicit ReplyWriter(std::size_t size) : bytes_(size, 0) {}

  ReplyWriter& u8(std::size_t at, uint32_t v) {
    bytes_.at(at) = static_cast<uint8_t>(v);
    return *this;
  }
  ReplyWriter& u16(std::size_t at, uint32_t v) { return u8(at, v).u8(at + 1, v >> 8); }
  ReplyWriter& u32(std::size_t at, uint32_t v) { return u16(at, v).u16(at + 2, v >> 16); }
  ReplyWriter& bytes(std::size_t at, const void* src, std::size_t n) {
    if (at + n > bytes_.size()) throw std::out_of_range("reply field past the payload");
    std::memcpy(bytes_.data() + at, src, n);
    return *this;
  }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace qv::sim
