// Feeds the frame receiver a byte stream cut into chunks of varying sizes: the
// first byte of the input seeds the chunk sizes, the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "comm/FrameCodec.h"
#include "comm/FrameReceiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  uint32_t state = data[0] * 2654435761u + 1;
  std::size_t delivered = 0;
  qv::comm::FrameReceiver receiver([&](const qv::comm::Frame& frame) {
    if (frame.payload.size() > qv::comm::kMaxPayload) std::abort();
    // Whatever is delivered must re-encode to a frame the receiver accepts.
    if (qv::comm::FrameCodec::Encode(frame).empty()) std::abort();
    ++delivered;
  });
  std::size_t at = 1;
  while (at < size) {
    state = state * 1103515245u + 12345u;
    const std::size_t chunk = 1 + (state >> 16) % 64;
    const std::size_t n = chunk < size - at ? chunk : size - at;
    receiver.Feed({data + at, n});
    at += n;
  }
  // Everything fed is delivered, skipped, counted bad, or still waiting.
  if (receiver.Buffered() > size) std::abort();
  return 0;
}
