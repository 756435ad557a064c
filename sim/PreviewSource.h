#pragma once
#include <cstdint>
#include <vector>

namespace qv::sim {

// Where the preview stream comes from: one complete H.264 access unit (Annex B)
// per call, which the server sends as one preview block (reply kind 26).
class PreviewSource {
 public:
  virtual ~PreviewSource() = default;
  virtual std::vector<uint8_t> NextBlock() = 0;
};

}  // namespace qv::sim
