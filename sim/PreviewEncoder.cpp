#include "PreviewEncoder.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "ColourBars.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace qv::sim {

namespace {

// 3 x 5 digit glyphs, one row per entry, bit 2 the left column.
constexpr std::array<std::array<uint8_t, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

PreviewEncoder::PreviewEncoder(const PreviewSettings& settings)
    : width_(settings.width), height_(settings.height) {
  if (width_ < 16 || height_ < 16 || width_ % 2 != 0 || height_ % 2 != 0 || settings.fps < 1) {
    throw std::runtime_error("preview size or rate not encodable");
  }
  const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
  if (!codec) throw std::runtime_error("the libx264 encoder is not available");
  codec_.reset(avcodec_alloc_context3(codec));
  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!codec_ || !frame_ || !packet_) throw std::runtime_error("out of memory");

  AVCodecContext& c = *codec_;
  c.width = width_;
  c.height = height_;
  c.time_base = AVRational{1, settings.fps};
  c.framerate = AVRational{settings.fps, 1};
  c.pix_fmt = AV_PIX_FMT_YUV420P;
  c.gop_size = kIdrInterval;
  c.max_b_frames = 0;
  c.bit_rate = static_cast<int64_t>(settings.kbps) * 1000;
  // One thread: the encoder hands back each frame before the next one comes.
  c.thread_count = 1;
  av_opt_set(c.priv_data, "preset", "ultrafast", 0);
  av_opt_set(c.priv_data, "tune", "zerolatency", 0);
  // No scene cuts: the IDR frames come exactly every kIdrInterval frames.
  av_opt_set(c.priv_data, "x264-params", "repeat-headers=1:scenecut=0", 0);
  if (const int err = avcodec_open2(&c, codec, nullptr); err < 0) {
    throw std::runtime_error("cannot open the preview encoder: " + AvError(err));
  }

  frame_->format = AV_PIX_FMT_YUV420P;
  frame_->width = width_;
  frame_->height = height_;
  if (av_frame_get_buffer(frame_.get(), 0) < 0) throw std::runtime_error("out of memory");
  rgb_.resize(static_cast<std::size_t>(width_) * height_ * 3);
  toYuv_.reset(sws_getContext(width_, height_, AV_PIX_FMT_RGB24, width_, height_,
                              AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
  if (!toYuv_) throw std::runtime_error("cannot convert the test picture");
}

std::vector<uint8_t> PreviewEncoder::NextBlock() {
  DrawPicture();
  if (av_frame_make_writable(frame_.get()) < 0) throw std::runtime_error("out of memory");
  const uint8_t* src[1] = {rgb_.data()};
  const int srcStride[1] = {width_ * 3};
  sws_scale(toYuv_.get(), src, srcStride, 0, height_, frame_->data, frame_->linesize);
  frame_->pts = frameIndex_;
  ++frameIndex_;

  if (const int err = avcodec_send_frame(codec_.get(), frame_.get()); err < 0) {
    throw std::runtime_error("preview encoding failed: " + AvError(err));
  }
  std::vector<uint8_t> block;
  while (avcodec_receive_packet(codec_.get(), packet_.get()) == 0) {
    block.insert(block.end(), packet_->data, packet_->data + packet_->size);
    av_packet_unref(packet_.get());
  }
  return block;
}

void PreviewEncoder::DrawPicture() {
  const auto put = [&](int x, int y, ColourBars::Rgb c) {
    uint8_t* px = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    px[0] = c.r;
    px[1] = c.g;
    px[2] = c.b;
  };
  const auto fill = [&](int x0, int y0, int w, int h, ColourBars::Rgb c) {
    for (int y = std::max(y0, 0); y < std::min(y0 + h, height_); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x0 + w, width_); ++x) put(x, y, c);
    }
  };
  for (int x = 0; x < width_; ++x) {
    const ColourBars::Rgb c = ColourBars::At(x, width_);
    for (int y = 0; y < height_; ++y) put(x, y, c);
  }

  // A white box crossing the bars, one sweep every four seconds at 30 frames a second.
  const int box = height_ / 6;
  const int travel = width_ - box;
  const int64_t step = frameIndex_ % (2 * 120);
  const int boxX = static_cast<int>((step < 120 ? step : 2 * 120 - step) * travel / 120);
  fill(boxX, (height_ - box) / 2, box, box, {255, 255, 255});

  // The frame counter, black on white in the top left corner.
  const int scale = std::max(1, height_ / 60);
  const std::string digits = std::to_string(frameIndex_);
  const int glyph = 4 * scale;
  fill(0, 0, static_cast<int>(digits.size()) * glyph + scale, 7 * scale, {255, 255, 255});
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto& rows = kDigits[digits[i] - '0'];
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (rows[row] & (4 >> col)) {
          fill(scale + static_cast<int>(i) * glyph + col * scale, scale + row * scale, scale, scale,
               {0, 0, 0});
        }
      }
    }
  }
}

}  // namespace qv::sim
