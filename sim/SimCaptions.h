#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv::sim {

// The processor's four caption slots and the caption image upload. A slot
// record is the 32-byte layout of the caption slot reply; an image is the
// one-bit-per-pixel rows the console sends in blocks, top row first.
class SimCaptions {
 public:
  static constexpr int kSlotCount = 4;
  static constexpr int kMaxWidth = 3840;
  static constexpr int kMaxHeight = 128;
  using Slot = std::array<uint8_t, 32>;

  SimCaptions() { ResetAll(); }

  static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  Slot& slot(int n) { return slots_.at(n); }
  const Slot& slot(int n) const { return slots_.at(n); }
  const std::vector<uint8_t>& Image(int n) const { return images_.at(n); }
  void ResetAll();

  // Opens an upload of a `width` x `height` caption into `slot`; false for a
  // size the processor cannot show.
  bool StartUpload(int slot, int width, int height);
  // Stores one block at byte `offset` of the pending image. Returns the number
  // of bytes taken, or nothing when no upload is open or the block does not
  // hold whole rows inside the image.
  std::optional<std::size_t> Block(std::size_t offset, std::span<const uint8_t> data);
  // Closes the upload of `slot` (if one is open) and sets the slot's size and place.
  void Finish(int slot, uint16_t width, uint16_t height, uint16_t hStart, uint16_t vStart);

 private:
  struct Upload {
    int slot = 0;
    std::size_t rowBytes = 0;
    std::vector<uint8_t> image;
  };

  std::array<Slot, kSlotCount> slots_{};
  std::array<std::vector<uint8_t>, kSlotCount> images_;
  std::optional<Upload> upload_;
};

}  // namespace qv::sim
