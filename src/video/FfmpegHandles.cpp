#include "video/FfmpegHandles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswscale/swscale.h>
}

namespace qv {

void CodecContextFree::operator()(AVCodecContext* context) const {
  avcodec_free_context(&context);
}
void ParserFree::operator()(AVCodecParserContext* parser) const {
  av_parser_close(parser);
}
void FrameFree::operator()(AVFrame* frame) const {
  av_frame_free(&frame);
}
void PacketFree::operator()(AVPacket* packet) const {
  av_packet_free(&packet);
}
void SwsFree::operator()(SwsContext* sws) const {
  sws_freeContext(sws);
}

}  // namespace qv
