#pragma once
// The preview's H.264 decoder over libavcodec: one thread, low delay, at most
// the attributes' picture size.
//
// Framing: a block is taken to end an access unit, so that its picture comes
// out of the same call (no frame of delay). Several access units in one block
// each give their picture. When a block shows that the sender cuts access
// units apart (it starts inside a NAL unit, or with a slice that is not a
// picture's first), the decoder stops trusting block ends and joins blocks
// into access units itself for the rest of its life; each picture then waits
// for the start of the next one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "video/FfmpegHandles.h"
#include "video/PictureDecoder.h"

namespace qv {

class H264Decoder final : public PictureDecoder {
 public:
  // Null when the attributes are empty or libavcodec cannot open a decoder.
  static std::unique_ptr<H264Decoder> Create(const Attributes& attributes);

  Result Frame(const uint8_t* stream, std::size_t length, unsigned flags, Output& out) override;

 private:
  enum class Framing { BlockEndsAccessUnit, AcrossBlocks };

  H264Decoder() = default;
  void TakeBlock(const uint8_t* stream, std::size_t length);
  Result Pump(Output& out);
  void EndDrain();
  bool FeedNext();
  bool Deliver(Output& out);

  CodecContextPtr codec_;
  ParserPtr parser_;
  PacketPtr packet_;
  FramePtr frame_;
  FramePtr converted_;  // the last picture that was not 4:2:0, as 4:2:0
  SwsPtr sws_;

  // Stream not yet through the parser: input_[inputPos_, inputEnd_), then
  // zeroed padding the parser may read.
  std::vector<uint8_t> input_;
  std::size_t inputPos_ = 0;
  std::size_t inputEnd_ = 0;

  int maxWidth_ = 0;
  int maxHeight_ = 0;  // rows before the bottom crop
  Framing framing_ = Framing::BlockEndsAccessUnit;
  bool flushParser_ = false;     // once the input is used up, take the parser's last unit
  bool drainRequested_ = false;  // a flush asked for everything held back
  bool draining_ = false;        // the codec was told the stream ended
  bool failed_ = false;          // something in this call could not be decoded
};

}  // namespace qv
