#pragma once
// A renderer for receiver tests: keeps a packed copy of every picture it is
// given, and can be held inside RenderPicture to keep a picture slot busy.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "ScriptedDecoder.h"
#include "video/PictureRenderer.h"

namespace qv::test {

class RecordingRenderer final : public PictureRenderer {
 public:
  struct Seen {
    int width;
    int height;
    int yPitch;
    int uvPitch;
    std::vector<uint8_t> y;   // rows packed to the width
    std::vector<uint8_t> uv;  // U rows, then V rows, packed to (width + 1) / 2
  };

  void RenderPicture(const Picture& p) override {
    Seen seen{p.width, p.height, p.yPitch, p.uvPitch, {}, {}};
    for (int row = 0; row < p.height; ++row) {
      const uint8_t* line = p.y + static_cast<std::ptrdiff_t>(row) * p.yPitch;
      seen.y.insert(seen.y.end(), line, line + p.width);
    }
    const int chromaWidth = (p.width + 1) / 2;
    for (const uint8_t* plane : {p.u, p.v}) {
      for (int row = 0; row < (p.height + 1) / 2; ++row) {
        const uint8_t* line = plane + static_cast<std::ptrdiff_t>(row) * p.uvPitch;
        seen.uv.insert(seen.uv.end(), line, line + chromaWidth);
      }
    }
    std::unique_lock lock(mutex_);
    held_ = !gateOpen_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return gateOpen_; });
    held_ = false;
    seen_.push_back(std::move(seen));
    changed_.notify_all();
  }

  void SetGate(bool open) {
    std::lock_guard lock(mutex_);
    gateOpen_ = open;
    changed_.notify_all();
  }
  bool WaitUntilHeld() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] { return held_; });
  }
  bool WaitForPictures(std::size_t count,
                       std::chrono::steady_clock::duration patience = kPatience) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, patience, [&] { return seen_.size() >= count; });
  }
  std::vector<Seen> seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool gateOpen_ = true;
  bool held_ = false;
  std::vector<Seen> seen_;
};

}  // namespace qv::test
