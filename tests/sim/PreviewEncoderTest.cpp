#include "PreviewEncoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "FfmpegHandles.h"
#include "H264FileSource.h"
#include "link/PreviewSize.h"
#include "support/TempDir.h"

namespace qv::sim {
namespace {

// The console's side of the preview: libavcodec's H.264 decoder taking one
// block at a time.
class Decoder {
 public:
  Decoder() {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    ctx_.reset(avcodec_alloc_context3(codec));
    ctx_->flags |= AV_CODEC_FLAG_LOW_DELAY;
    EXPECT_EQ(avcodec_open2(ctx_.get(), codec, nullptr), 0);
  }
  // Sizes of the pictures the block completes.
  std::vector<std::pair<int, int>> Decode(const std::vector<uint8_t>& block) {
    std::vector<uint8_t> padded(block);
    padded.resize(block.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    packet_->data = padded.data();
    packet_->size = static_cast<int>(block.size());
    EXPECT_EQ(avcodec_send_packet(ctx_.get(), packet_.get()), 0);
    std::vector<std::pair<int, int>> sizes;
    while (avcodec_receive_frame(ctx_.get(), frame_.get()) == 0) {
      sizes.emplace_back(frame_->width, frame_->height);
    }
    return sizes;
  }

 private:
  CodecContextPtr ctx_;
  PacketPtr packet_{av_packet_alloc()};
  FramePtr frame_{av_frame_alloc()};
};

std::set<int> NalTypes(const std::vector<uint8_t>& block) {
  std::set<int> types;
  for (std::size_t i = 0; i + 3 < block.size(); ++i) {
    if (block[i] == 0 && block[i + 1] == 0 && block[i + 2] == 1) types.insert(block[i + 3] & 0x1F);
  }
  return types;
}

std::vector<std::vector<uint8_t>> Encode(PreviewSource& source, int count) {
  std::vector<std::vector<uint8_t>> blocks;
  for (int i = 0; i < count; ++i) blocks.push_back(source.NextBlock());
  return blocks;
}

class PreviewSizes : public ::testing::TestWithParam<int> {};

TEST_P(PreviewSizes, EveryBlockIsOneDecodablePictureOfTheChosenSize) {
  const auto size = PreviewSizeOfCode(GetParam());
  ASSERT_TRUE(size);
  PreviewEncoder encoder({GetParam(), size->width, size->height, 15, 1024});
  Decoder decoder;
  for (const auto& block : Encode(encoder, 5)) {
    EXPECT_EQ(decoder.Decode(block),
              (std::vector<std::pair<int, int>>{{size->width, size->height}}));
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, PreviewSizes, ::testing::Values(1, 21, 7, 17));

TEST(PreviewEncoder, LateJoinerDecodesFromTheNextIdr) {
  PreviewEncoder encoder;
  const auto blocks = Encode(encoder, 2 * PreviewEncoder::kIdrInterval + 1);
  for (int i : {0, PreviewEncoder::kIdrInterval, 2 * PreviewEncoder::kIdrInterval}) {
    const std::set<int> types = NalTypes(blocks[i]);
    EXPECT_TRUE(types.count(7) && types.count(8) && types.count(5)) << "block " << i;
  }
  EXPECT_FALSE(NalTypes(blocks[1]).count(7));
  EXPECT_FALSE(NalTypes(blocks[1]).count(5));

  Decoder late;
  for (int i = PreviewEncoder::kIdrInterval; i < PreviewEncoder::kIdrInterval + 3; ++i) {
    EXPECT_EQ(late.Decode(blocks[i]), (std::vector<std::pair<int, int>>{{352, 240}})) << i;
  }
}

TEST(H264FileSource, YieldsTheFilesAccessUnitsInOrderAndLoops) {
  PreviewEncoder encoder;
  const auto blocks = Encode(encoder, 40);
  test::TempDir dir;
  const auto path = dir.path() / "preview.h264";
  {
    std::ofstream out(path, std::ios::binary);
    for (const auto& b : blocks)
      out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }
  H264FileSource file(path);
  ASSERT_EQ(file.size(), blocks.size());
  for (const auto& b : blocks) EXPECT_EQ(file.NextBlock(), b);
  EXPECT_EQ(file.NextBlock(), blocks[0]);
}

TEST(H264FileSource, RefusesFilesWithoutPictures) {
  test::TempDir dir;
  const auto path = dir.path() / "garbage.h264";
  std::ofstream(path) << "no video here";
  EXPECT_THROW(H264FileSource{path}, std::runtime_error);
  EXPECT_THROW(H264FileSource{dir.path() / "missing.h264"}, std::runtime_error);
}

}  // namespace
}  // namespace qv::sim
