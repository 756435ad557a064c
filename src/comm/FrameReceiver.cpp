#include "FrameReceiver.h"

#include <algorithm>

#include "FrameLayout.h"

namespace qv::comm {

void FrameReceiver::Feed(std::span<const uint8_t> bytes) {
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  std::size_t start = 0;
  for (;;) {
    const std::size_t used = ParseOneAt(start);
    if (used == 0) break;
    start += used;
  }
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start));
}

std::size_t FrameReceiver::ParseOneAt(std::size_t start) {
  const std::span<const uint8_t> rest(buffer_.data() + start, buffer_.size() - start);
  if (rest.empty()) return 0;
  // Skip to the next possible frame start.
  if (rest[0] != kSync0 || (rest.size() > 1 && rest[1] != kSync1)) {
    const auto next = std::find(rest.begin() + 1, rest.end(), kSync0);
    const std::size_t skipped = static_cast<std::size_t>(next - rest.begin());
    stats_.skippedBytes += skipped;
    return skipped;
  }
  if (rest.size() < kHeaderSize) return 0;
  layout::HeaderInfo info;
  if (!layout::ParseHeader(rest, info)) {
    ++stats_.skippedBytes;
    return 1;
  }
  const std::size_t total = kHeaderSize + info.length + kTrailerSize;
  if (rest.size() < total) return 0;
  const auto payload = rest.subspan(kHeaderSize, info.length);
  if (layout::Get32(rest.data() + kHeaderSize + info.length) != Crc32(payload)) {
    // The header looked right but the frame is damaged: drop it, and look for
    // the next frame just after this sync pair, since the length may be the
    // damaged part.
    ++stats_.badFrames;
    return 1;
  }
  layout::FillFrame(info, payload, frame_);
  ++stats_.frames;
  onFrame_(frame_);
  return total;
}

}  // namespace qv::comm
