#include "SimCaptions.h"

#include <algorithm>

namespace qv::sim {

namespace {

void Put16(SimCaptions::Slot& s, int at, uint16_t v) {
  s[at] = static_cast<uint8_t>(v);
  s[at + 1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

void SimCaptions::ResetAll() {
  for (int n = 0; n < kSlotCount; ++n) {
    Slot& s = slots_[n];
    s.fill(0);
    Put16(s, 0, 600);  // width
    Put16(s, 2, 60);   // height
    Put16(s, 8, 600);  // display width
    s[11] = 1;         // scroll speed 1
    // The console takes the slot number from byte 14; the slot record itself
    // carries it in byte 28.
    s[14] = static_cast<uint8_t>(n);
    s[16] = 255;                                   // foreground red
    std::fill(s.begin() + 24, s.begin() + 28, 1);  // shown on all four outputs
    s[28] = static_cast<uint8_t>(n);
    images_[n].clear();
  }
  upload_.reset();
}

bool SimCaptions::StartUpload(int slot, int width, int height) {
  if (!ValidSlot(slot) || width < 1 || width > kMaxWidth || height < 1 || height > kMaxHeight) {
    return false;
  }
  Upload u;
  u.slot = slot;
  u.rowBytes = static_cast<std::size_t>((width + 31) / 32) * 4;
  u.image.assign(u.rowBytes * static_cast<std::size_t>(height), 0);
  upload_ = std::move(u);
  return true;
}

std::optional<std::size_t> SimCaptions::Block(std::size_t offset, std::span<const uint8_t> data) {
  if (!upload_ || data.empty()) return std::nullopt;
  Upload& u = *upload_;
  if (offset % u.rowBytes != 0 || data.size() % u.rowBytes != 0 || offset > u.image.size() ||
      data.size() > u.image.size() - offset) {
    return std::nullopt;
  }
  std::copy(data.begin(), data.end(), u.image.begin() + static_cast<std::ptrdiff_t>(offset));
  return data.size();
}

void SimCaptions::Finish(int slot, uint16_t width, uint16_t height, uint16_t hStart,
                         uint16_t vStart) {
  if (upload_ && upload_->slot == slot) {
    images_[slot] = std::move(upload_->image);
    upload_.reset();
  }
  Slot& s = slots_.at(slot);
  Put16(s, 0, width);
  Put16(s, 2, height);
  Put16(s, 4, hStart);
  Put16(s, 6, vStart);
}

}  // namespace qv::sim
