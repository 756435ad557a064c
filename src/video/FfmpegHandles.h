#pragma once
// Owning pointers for the FFmpeg objects of the preview decoder. The deleters
// are defined out of line so that users of the decoder never see FFmpeg's
// headers.

#include <memory>

struct AVCodecContext;
struct AVCodecParserContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace qv {

struct CodecContextFree {
  void operator()(AVCodecContext* context) const;
};
struct ParserFree {
  void operator()(AVCodecParserContext* parser) const;
};
struct FrameFree {
  void operator()(AVFrame* frame) const;
};
struct PacketFree {
  void operator()(AVPacket* packet) const;
};
struct SwsFree {
  void operator()(SwsContext* sws) const;
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using ParserPtr = std::unique_ptr<AVCodecParserContext, ParserFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFree>;

}  // namespace qv
