#pragma once
// Cuts a byte stream into frames. Bytes that cannot start a frame are skipped
// until the next sync pair; a header that fails its check, names an unknown
// class or version, or announces more than kMaxPayload is skipped the same
// way, so one corrupted byte costs at most the frame it hit. A frame whose
// payload check fails is dropped and counted, never delivered.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "Frame.h"

namespace qv::comm {

class FrameReceiver {
 public:
  struct Stats {
    uint64_t frames = 0;        // delivered
    uint64_t badFrames = 0;     // dropped for a failed check
    uint64_t skippedBytes = 0;  // garbage between frames
  };

  using FrameHandler = std::function<void(const Frame&)>;

  explicit FrameReceiver(FrameHandler onFrame) : onFrame_(std::move(onFrame)) {}

  void Feed(std::span<const uint8_t> bytes);
  // Forgets a partial frame (after a reconnect the stream starts afresh).
  void Reset() { buffer_.clear(); }

  const Stats& stats() const { return stats_; }
  std::size_t Buffered() const { return buffer_.size(); }

 private:
  // Bytes consumed from buffer_ at `start` (0: more input needed).
  std::size_t ParseOneAt(std::size_t start);

  FrameHandler onFrame_;
  std::vector<uint8_t> buffer_;
  Stats stats_;
  Frame frame_;  // reused, so steady traffic does not allocate per frame
};

}  // namespace qv::comm
