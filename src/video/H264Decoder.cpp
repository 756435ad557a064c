#include "video/H264Decoder.h"

#include <algorithm>
#include <climits>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include "video/AvLog.h"

namespace qv {

namespace {

bool IsPlanar420(int format) {
  return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

// Whether a block can begin an access unit: a start code, then either a NAL
// unit that precedes slices or a slice whose first macroblock is 0.
bool BeginsAccessUnit(const uint8_t* stream, std::size_t length) {
  std::size_t i = 0;
  while (i < length && stream[i] == 0) ++i;
  if (i < 2 || i + 1 >= length || stream[i] != 1) return false;
  const int type = stream[i + 1] & 0x1F;
  if (type != 1 && type != 5) return true;
  // first_mb_in_slice is Exp-Golomb coded: value 0 is the single bit 1.
  return i + 2 < length && (stream[i + 2] & 0x80) != 0;
}

// A reference to a decoded picture. libavcodec never writes into a frame
// that is still referenced, so the planes stay as they are while it lives.
std::shared_ptr<const void> Lend(const AVFrame& frame) {
  AVFrame* held = av_frame_clone(&frame);
  if (!held) return nullptr;
  return std::shared_ptr<const void>(held, [](const void* p) {
    AVFrame* f = static_cast<AVFrame*>(const_cast<void*>(p));
    av_frame_free(&f);
  });
}

}  // namespace

std::unique_ptr<H264Decoder> H264Decoder::Create(const Attributes& attributes) {
  constexpr int kMaxMacroblocks = 512;  // 8192 pixels a side, far beyond any preview
  if (attributes.widthInMacroblocks <= 0 || attributes.heightInMacroblocks <= 0 ||
      attributes.widthInMacroblocks > kMaxMacroblocks ||
      attributes.heightInMacroblocks > kMaxMacroblocks) {
    return nullptr;
  }
  AvLog::Install();
  const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
  if (!codec) return nullptr;
  std::unique_ptr<H264Decoder> decoder(new H264Decoder);
  decoder->codec_.reset(avcodec_alloc_context3(codec));
  decoder->parser_.reset(av_parser_init(AV_CODEC_ID_H264));
  decoder->packet_.reset(av_packet_alloc());
  decoder->frame_.reset(av_frame_alloc());
  if (!decoder->codec_ || !decoder->parser_ || !decoder->packet_ || !decoder->frame_) {
    return nullptr;
  }
  AVCodecContext& c = *decoder->codec_;
  c.flags |= AV_CODEC_FLAG_LOW_DELAY;
  // Frame threading would hold pictures back by one frame per thread.
  c.thread_count = 1;
  c.thread_type = 0;
  // The bottom cropping offset is reported to the caller; the rest is applied here.
  c.apply_cropping = 0;
  // Bounds what a stream, corrupt or not, can make the decoder allocate;
  // libavcodec checks the width rounded up to its stride alignment (at most
  // 64). Pictures wider or taller than the attributes allow are refused below.
  c.max_pixels = (static_cast<int64_t>(attributes.widthInMacroblocks) * 16 + 64) *
                 (static_cast<int64_t>(attributes.heightInMacroblocks) * 16);
  if (avcodec_open2(&c, codec, nullptr) < 0) return nullptr;
  decoder->maxWidth_ = attributes.widthInMacroblocks * 16;
  decoder->maxHeight_ = attributes.heightInMacroblocks * 16;
  return decoder;
}

PictureDecoder::Result H264Decoder::Frame(const uint8_t* stream, std::size_t length, unsigned flags,
                                          Output& out) {
  av_frame_unref(frame_.get());
  failed_ = false;
  if (stream && length > 0) TakeBlock(stream, length);
  if (flags & kFlush) {
    drainRequested_ = true;
    flushParser_ = true;
  }
  return Pump(out);
}

void H264Decoder::TakeBlock(const uint8_t* stream, std::size_t length) {
  if (framing_ == Framing::BlockEndsAccessUnit && !BeginsAccessUnit(stream, length)) {
    framing_ = Framing::AcrossBlocks;
  }
  input_.resize(inputEnd_);
  input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(inputPos_));
  input_.insert(input_.end(), stream, stream + length);
  inputPos_ = 0;
  inputEnd_ = input_.size();
  input_.resize(inputEnd_ + AV_INPUT_BUFFER_PADDING_SIZE, 0);
  flushParser_ = framing_ == Framing::BlockEndsAccessUnit;
}

PictureDecoder::Result H264Decoder::Pump(Output& out) {
  for (;;) {
    const int received = avcodec_receive_frame(codec_.get(), frame_.get());
    if (received == 0) {
      if (Deliver(out)) return Result::PictureReady;
      av_frame_unref(frame_.get());
      failed_ = true;
      continue;
    }
    if (received == AVERROR_EOF) {
      EndDrain();
      return Result::NoPicture;
    }
    if (received != AVERROR(EAGAIN)) {
      if (draining_) EndDrain();
      return Result::Error;
    }
    if (FeedNext()) continue;
    if (drainRequested_ && !draining_) {
      if (avcodec_send_packet(codec_.get(), nullptr) < 0) {
        EndDrain();
        return Result::NoPicture;
      }
      draining_ = true;
      continue;
    }
    return failed_ ? Result::Error : Result::NeedMoreData;
  }
}

// Ready for new stream, which decodes from its next IDR picture on.
void H264Decoder::EndDrain() {
  avcodec_flush_buffers(codec_.get());
  draining_ = drainRequested_ = false;
}

// Sends the next access unit to the codec; false when the input is used up.
bool H264Decoder::FeedNext() {
  // Right after a flush the parser closes the flushed unit once more without
  // consuming anything; a second such answer in a row would repeat forever.
  bool stalled = false;
  for (;;) {
    uint8_t* unit = nullptr;
    int unitSize = 0;
    if (inputPos_ < inputEnd_) {
      const int left = static_cast<int>(std::min<std::size_t>(inputEnd_ - inputPos_, INT_MAX));
      const int used =
          av_parser_parse2(parser_.get(), codec_.get(), &unit, &unitSize, input_.data() + inputPos_,
                           left, AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
      if (used <= 0 && unitSize == 0) {
        if (stalled) {
          inputPos_ = inputEnd_;
          failed_ = true;
        }
        stalled = true;
        continue;
      }
      stalled = false;
      inputPos_ += static_cast<std::size_t>(std::max(used, 0));
    } else if (flushParser_) {
      flushParser_ = false;
      av_parser_parse2(parser_.get(), codec_.get(), &unit, &unitSize, nullptr, 0, AV_NOPTS_VALUE,
                       AV_NOPTS_VALUE, 0);
    } else {
      return false;
    }
    if (unitSize > 0) {
      packet_->data = unit;
      packet_->size = unitSize;
      // The packet does not own its data, so libavcodec copies it.
      if (avcodec_send_packet(codec_.get(), packet_.get()) < 0) failed_ = true;
      av_packet_unref(packet_.get());
      return true;
    }
  }
}

bool H264Decoder::Deliver(Output& out) {
  AVFrame& f = *frame_;
  if (f.crop_bottom >= static_cast<std::size_t>(std::max(f.height, 0))) return false;
  const int cropBottom = static_cast<int>(f.crop_bottom);
  f.crop_bottom = 0;
  if (av_frame_apply_cropping(&f, AV_FRAME_CROP_UNALIGNED) < 0 || f.width <= 0 ||
      f.width > maxWidth_ || f.height > maxHeight_) {
    return false;
  }
  if (IsPlanar420(f.format)) {
    out = {f.data[0],     f.data[1],     f.data[2],  f.width, f.height,
           f.linesize[0], f.linesize[1], cropBottom, Lend(f)};
    return true;
  }
  const int visible = f.height - cropBottom;
  sws_.reset(sws_getCachedContext(sws_.release(), f.width, visible,
                                  static_cast<AVPixelFormat>(f.format), f.width, visible,
                                  AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
  if (!sws_) return false;
  if (!converted_ || converted_->width != f.width || converted_->height != visible) {
    converted_.reset(av_frame_alloc());
    if (!converted_) return false;
    converted_->format = AV_PIX_FMT_YUV420P;
    converted_->width = f.width;
    converted_->height = visible;
    if (av_frame_get_buffer(converted_.get(), 0) < 0) {
      converted_.reset();
      return false;
    }
  }
  sws_scale(sws_.get(), f.data, f.linesize, 0, visible, converted_->data, converted_->linesize);
  const AVFrame& c = *converted_;
  out = {c.data[0], c.data[1], c.data[2], c.width, c.height, c.linesize[0], c.linesize[1], 0};
  return true;
}

}  // namespace qv
