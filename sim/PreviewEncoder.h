#pragma once
#include <cstdint>
#include <vector>

#include "FfmpegHandles.h"
#include "PreviewSettings.h"
#include "PreviewSource.h"

namespace qv::sim {

// Encodes a moving test picture (the output's colour bars, a box crossing
// them and a frame counter) with x264 for low delay: no B-frames, an IDR every
// 30 frames with SPS and PPS repeated in front of it, so a console that joins
// late decodes from the next IDR on.
class PreviewEncoder : public PreviewSource {
 public:
  static constexpr int kIdrInterval = 30;

  // Throws std::runtime_error when the encoder cannot be opened.
  explicit PreviewEncoder(const PreviewSettings& settings = {});

  std::vector<uint8_t> NextBlock() override;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  void DrawPicture();

  int width_;
  int height_;
  int64_t frameIndex_ = 0;
  std::vector<uint8_t> rgb_;
  CodecContextPtr codec_;
  FramePtr frame_;
  PacketPtr packet_;
  SwsPtr toYuv_;
};

}  // namespace qv::sim
