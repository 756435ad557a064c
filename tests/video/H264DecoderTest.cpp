#include "video/H264Decoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "FfmpegHandles.h"
#include "PreviewEncoder.h"

extern "C" {
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

namespace qv {
namespace {

using Block = std::vector<uint8_t>;
using Result = PictureDecoder::Result;

constexpr int kFrames = 2 * sim::PreviewEncoder::kIdrInterval + 1;  // IDR at 0, 30 and 60
constexpr int kSecondIdr = sim::PreviewEncoder::kIdrInterval;

// A picture's visible rows, packed: Y, then U, then V.
struct Copy {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> planes;
  bool operator==(const Copy&) const = default;
};

void PrintTo(const Copy& c, std::ostream* os) {
  *os << c.width << "x" << c.height << " (" << c.planes.size() << " bytes)";
}

void Append(std::vector<uint8_t>& to, const uint8_t* plane, int stride, int width, int rows) {
  for (int row = 0; row < rows; ++row) {
    const uint8_t* line = plane + static_cast<std::ptrdiff_t>(row) * stride;
    to.insert(to.end(), line, line + width);
  }
}

Copy CopyOf(const PictureDecoder::Output& out) {
  const int visible = out.height - out.cropBottom;
  Copy copy{out.width, visible, {}};
  Append(copy.planes, out.y, out.yStride, out.width, visible);
  Append(copy.planes, out.u, out.uvStride, (out.width + 1) / 2, (visible + 1) / 2);
  Append(copy.planes, out.v, out.uvStride, (out.width + 1) / 2, (visible + 1) / 2);
  return copy;
}

std::vector<Block> Encode(int width, int height, int count) {
  sim::PreviewEncoder encoder({0, width, height, 15, 1024});
  std::vector<Block> blocks;
  for (int i = 0; i < count; ++i) blocks.push_back(encoder.NextBlock());
  return blocks;
}

// Plain libavcodec, one block per packet: what the decoder's pictures must equal.
std::vector<Copy> Reference(const std::vector<Block>& blocks) {
  const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
  sim::CodecContextPtr context(avcodec_alloc_context3(codec));
  context->flags |= AV_CODEC_FLAG_LOW_DELAY;
  context->thread_count = 1;
  EXPECT_EQ(avcodec_open2(context.get(), codec, nullptr), 0);
  sim::PacketPtr packet(av_packet_alloc());
  sim::FramePtr frame(av_frame_alloc());
  std::vector<Copy> pictures;
  for (const Block& block : blocks) {
    Block padded(block);
    padded.resize(block.size() + AV_INPUT_BUFFER_PADDING_SIZE);
    packet->data = padded.data();
    packet->size = static_cast<int>(block.size());
    EXPECT_EQ(avcodec_send_packet(context.get(), packet.get()), 0);
    while (avcodec_receive_frame(context.get(), frame.get()) == 0) {
      const AVFrame& f = *frame;
      pictures.push_back(CopyOf(
          {f.data[0], f.data[1], f.data[2], f.width, f.height, f.linesize[0], f.linesize[1], 0}));
    }
  }
  return pictures;
}

// Takes one block the way the receiver does: asks again only after a picture.
// A decoder that kept answering would fail the test instead of hanging it.
Result Take(PictureDecoder& decoder, const uint8_t* data, std::size_t length, unsigned flags,
            std::vector<Copy>& pictures,
            const std::function<void(const PictureDecoder::Output&)>& check = {}) {
  constexpr int kMaxPicturesPerBlock = 8;
  PictureDecoder::Output out;
  Result result = decoder.Frame(data, length, flags, out);
  for (int taken = 0; result == Result::PictureReady; ++taken) {
    if (taken == kMaxPicturesPerBlock) {
      ADD_FAILURE() << "the decoder does not stop handing out pictures";
      break;
    }
    if (check) check(out);
    pictures.push_back(CopyOf(out));
    result = decoder.Frame(nullptr, 0, flags, out);
  }
  return result;
}

std::vector<Copy> TakeAll(PictureDecoder& decoder, const std::vector<Block>& blocks) {
  std::vector<Copy> pictures;
  for (const Block& block : blocks) Take(decoder, block.data(), block.size(), 0, pictures);
  EXPECT_EQ(Take(decoder, nullptr, 0, PictureDecoder::kFlush, pictures), Result::NoPicture);
  return pictures;
}

std::unique_ptr<H264Decoder> DecoderFor(int width, int height) {
  auto decoder = H264Decoder::Create(PictureDecoder::Attributes::ForFrame(width, height));
  EXPECT_TRUE(decoder);
  return decoder;
}

// The default preview stream: 352 x 240, three IDR pictures.
class H264DecoderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    blocks_ = new std::vector<Block>(Encode(352, 240, kFrames));
    reference_ = new std::vector<Copy>(Reference(*blocks_));
    ASSERT_EQ(reference_->size(), static_cast<std::size_t>(kFrames));
  }
  static void TearDownTestSuite() {
    delete blocks_;
    delete reference_;
  }
  static const std::vector<Block>& blocks() { return *blocks_; }
  static const std::vector<Copy>& reference() { return *reference_; }
  static std::vector<Copy> ReferenceFrom(int first) {
    return {reference_->begin() + first, reference_->end()};
  }

 private:
  static std::vector<Block>* blocks_;
  static std::vector<Copy>* reference_;
};

std::vector<Block>* H264DecoderTest::blocks_ = nullptr;
std::vector<Copy>* H264DecoderTest::reference_ = nullptr;

TEST_F(H264DecoderTest, EachBlockGivesItsPictureInTheSameCall) {
  auto decoder = DecoderFor(352, 240);
  for (std::size_t i = 0; i < blocks().size(); ++i) {
    PictureDecoder::Output out;
    ASSERT_EQ(decoder->Frame(blocks()[i].data(), blocks()[i].size(), 0, out), Result::PictureReady)
        << "block " << i;
    EXPECT_EQ(out.width, 352);
    EXPECT_EQ(out.height, 240);
    EXPECT_EQ(out.cropBottom, 0);
    EXPECT_GE(out.yStride, 352);
    EXPECT_GE(out.uvStride, 176);
    EXPECT_EQ(CopyOf(out), reference()[i]) << "block " << i;
    EXPECT_EQ(decoder->Frame(nullptr, 0, 0, out), Result::NeedMoreData);
  }
}

TEST_F(H264DecoderTest, FlushEmptiesTheDecoderWhichThenDecodesFromTheNextIdr) {
  auto decoder = DecoderFor(352, 240);
  const std::vector<Block> first(blocks().begin(), blocks().begin() + 10);
  EXPECT_EQ(TakeAll(*decoder, first).size(), 10u);
  const std::vector<Block> rest(blocks().begin() + kSecondIdr, blocks().end());
  EXPECT_EQ(TakeAll(*decoder, rest), ReferenceFrom(kSecondIdr));
}

TEST_F(H264DecoderTest, LentPicturesOutliveLaterPicturesAndTheDecoder) {
  auto decoder = DecoderFor(352, 240);
  std::vector<PictureDecoder::Output> kept;
  for (const Block& block : blocks()) {
    PictureDecoder::Output out;
    ASSERT_EQ(decoder->Frame(block.data(), block.size(), 0, out), Result::PictureReady);
    ASSERT_TRUE(out.keep);
    kept.push_back(out);
  }
  decoder.reset();
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(CopyOf(kept[i]), reference()[i]) << "picture " << i;
  }
}

// How a sender might cut the stream into blocks.
std::vector<Block> TwoPerBlock(const std::vector<Block>& units) {
  std::vector<Block> blocks;
  for (std::size_t i = 0; i < units.size(); i += 2) {
    Block block = units[i];
    if (i + 1 < units.size()) block.insert(block.end(), units[i + 1].begin(), units[i + 1].end());
    blocks.push_back(std::move(block));
  }
  return blocks;
}

std::vector<Block> OneNalUnitPerBlock(const std::vector<Block>& units) {
  std::vector<Block> blocks;
  for (const Block& unit : units) {
    std::size_t start = 0;
    for (std::size_t i = 3; i + 3 <= unit.size(); ++i) {
      if (unit[i] == 0 && unit[i + 1] == 0 && unit[i + 2] == 1) {
        const std::size_t cut = unit[i - 1] == 0 ? i - 1 : i;  // four-byte start code
        blocks.emplace_back(unit.begin() + start, unit.begin() + cut);
        start = cut;
        i += 2;
      }
    }
    blocks.emplace_back(unit.begin() + start, unit.end());
  }
  return blocks;
}

std::vector<Block> CutInHalves(const std::vector<Block>& units) {
  std::vector<Block> blocks;
  for (const Block& unit : units) {
    const auto half = unit.begin() + static_cast<std::ptrdiff_t>(unit.size() / 2);
    blocks.emplace_back(unit.begin(), half);
    blocks.emplace_back(half, unit.end());
  }
  return blocks;
}

struct FramingCase {
  const char* name;
  std::vector<Block> (*cut)(const std::vector<Block>&);
  int exactFrom;  // pictures equal the reference from this one on
};

class H264DecoderFraming : public H264DecoderTest,
                           public ::testing::WithParamInterface<FramingCase> {};

TEST_P(H264DecoderFraming, EveryAccessUnitGivesItsPicture) {
  const FramingCase& c = GetParam();
  auto decoder = DecoderFor(352, 240);
  const std::vector<Copy> pictures = TakeAll(*decoder, c.cut(blocks()));
  const std::vector<Copy> expected = ReferenceFrom(c.exactFrom);
  ASSERT_GE(pictures.size(), expected.size());
  EXPECT_EQ(std::vector<Copy>(pictures.end() - static_cast<std::ptrdiff_t>(expected.size()),
                              pictures.end()),
            expected);
  if (c.exactFrom == 0) {
    EXPECT_EQ(pictures.size(), expected.size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, H264DecoderFraming,
    ::testing::Values(FramingCase{"TwoAccessUnitsPerBlock", TwoPerBlock, 0},
                      FramingCase{"OneNalUnitPerBlock", OneNalUnitPerBlock, 0},
                      // The first cut is taken for a whole block; the decoder
                      // then joins blocks and is exact again from the next IDR.
                      FramingCase{"NalUnitsCutInHalves", CutInHalves, kSecondIdr}),
    [](const auto& info) { return std::string(info.param.name); });

struct CropCase {
  int width, height;
  int codedHeight, cropBottom;
};

class H264DecoderCrop : public ::testing::TestWithParam<CropCase> {};

TEST_P(H264DecoderCrop, CodedHeightAndBottomCropAreReported) {
  const CropCase& c = GetParam();
  const std::vector<Block> stream = Encode(c.width, c.height, 2);
  const std::vector<Copy> expected = Reference(stream);
  auto decoder = DecoderFor(c.width, c.height);
  for (std::size_t i = 0; i < stream.size(); ++i) {
    PictureDecoder::Output out;
    ASSERT_EQ(decoder->Frame(stream[i].data(), stream[i].size(), 0, out), Result::PictureReady);
    EXPECT_EQ(out.width, c.width);
    EXPECT_EQ(out.height, c.codedHeight);
    EXPECT_EQ(out.cropBottom, c.cropBottom);
    EXPECT_EQ(CopyOf(out), expected[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, H264DecoderCrop,
                         ::testing::Values(CropCase{352, 240, 240, 0}, CropCase{72, 40, 48, 8},
                                           CropCase{1920, 1080, 1088, 8}));

struct BoundCase {
  int width, height;  // the decoder's frame size; the stream is 352 x 240
  bool decodes;
};

class H264DecoderBound : public H264DecoderTest, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(H264DecoderBound, PicturesLargerThanTheFrameSizeAreRefused) {
  const BoundCase& c = GetParam();
  av_log_set_level(AV_LOG_QUIET);
  auto decoder = DecoderFor(c.width, c.height);
  std::vector<Copy> pictures;
  for (int i = 0; i < 5; ++i) {
    const Result result = Take(*decoder, blocks()[i].data(), blocks()[i].size(), 0, pictures);
    EXPECT_EQ(result, c.decodes ? Result::NeedMoreData : Result::Error) << "block " << i;
  }
  av_log_set_level(AV_LOG_INFO);
  if (c.decodes) {
    EXPECT_EQ(pictures, std::vector<Copy>(reference().begin(), reference().begin() + 5));
  } else {
    EXPECT_TRUE(pictures.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, H264DecoderBound,
                         ::testing::Values(BoundCase{640, 480, true}, BoundCase{336, 240, false},
                                           BoundCase{352, 224, false}, BoundCase{176, 120, false}));

TEST(H264DecoderCreate, EmptyOrOversizedAttributesMakeNoDecoder) {
  for (const PictureDecoder::Attributes& attributes :
       {PictureDecoder::Attributes{0, 15}, PictureDecoder::Attributes{22, 0},
        PictureDecoder::Attributes{-1, -1}, PictureDecoder::Attributes{513, 15}}) {
    EXPECT_EQ(H264Decoder::Create(attributes), nullptr)
        << attributes.widthInMacroblocks << " x " << attributes.heightInMacroblocks;
  }
}

// Damaged streams: nothing may crash, spin or hand out a picture its fields
// do not describe, and the stream decodes exactly again from the next IDR.
struct DamageCase {
  const char* name;
  void (*damage)(Block&, std::mt19937&);
};

void Truncate(Block& block, std::mt19937& random) {
  block.resize(std::uniform_int_distribution<std::size_t>(0, block.size())(random));
}

void FlipBits(Block& block, std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> at(0, block.size() - 1);
  for (std::size_t n = 0; n < block.size() / 50 + 1; ++n) block[at(random)] ^= 1 << (random() % 8);
}

void Garbage(Block& block, std::mt19937& random) {
  for (uint8_t& byte : block) byte = static_cast<uint8_t>(random());
}

// Start codes followed by random NAL units of every type.
void GarbageUnits(Block& block, std::mt19937& random) {
  Garbage(block, random);
  for (std::size_t i = 0; i + 4 < block.size(); i += 40 + random() % 200) {
    block[i] = 0;
    block[i + 1] = 0;
    block[i + 2] = 1;
  }
}

void Tiny(Block& block, std::mt19937& random) {
  block.resize(random() % 4);
}

class H264DecoderDamage : public H264DecoderTest, public ::testing::WithParamInterface<DamageCase> {
 protected:
  void SetUp() override { av_log_set_level(AV_LOG_QUIET); }
  void TearDown() override { av_log_set_level(AV_LOG_INFO); }
};

TEST_P(H264DecoderDamage, DamagedStreamsAreSurvivedAndTheNextIdrDecodesExactly) {
  std::mt19937 random(2024);
  auto decoder = DecoderFor(352, 240);
  const auto checkFields = [](const PictureDecoder::Output& out) {
    ASSERT_GT(out.width, 0);
    ASSERT_GE(out.cropBottom, 0);
    ASSERT_LT(out.cropBottom, out.height);
    ASSERT_GE(out.yStride, out.width);
    ASSERT_GE(out.uvStride, (out.width + 1) / 2);
    ASSERT_LE(out.width * out.height, (352 + 64) * 240);
  };
  std::vector<Copy> damaged;
  for (int i = 0; i < kSecondIdr; ++i) {
    Block block = blocks()[i];
    GetParam().damage(block, random);
    Take(*decoder, block.data(), block.size(), 0, damaged, checkFields);
  }
  const std::vector<Block> clean(blocks().begin() + kSecondIdr, blocks().end());
  std::vector<Copy> pictures;
  for (const Block& block : clean) {
    Take(*decoder, block.data(), block.size(), 0, pictures, checkFields);
  }
  EXPECT_EQ(Take(*decoder, nullptr, 0, PictureDecoder::kFlush, pictures, checkFields),
            Result::NoPicture);
  const std::vector<Copy> expected = ReferenceFrom(kSecondIdr);
  ASSERT_GE(pictures.size(), expected.size());
  EXPECT_EQ(std::vector<Copy>(pictures.end() - static_cast<std::ptrdiff_t>(expected.size()),
                              pictures.end()),
            expected);
}

INSTANTIATE_TEST_SUITE_P(Streams, H264DecoderDamage,
                         ::testing::Values(DamageCase{"Truncated", Truncate},
                                           DamageCase{"BitsFlipped", FlipBits},
                                           DamageCase{"Garbage", Garbage},
                                           DamageCase{"GarbageNalUnits", GarbageUnits},
                                           DamageCase{"TinyBlocks", Tiny}),
                         [](const auto& info) { return std::string(info.param.name); });

// A flat picture in another chroma format, straight from libx264.
std::vector<Block> EncodeFlat(AVPixelFormat format, int width, int height,
                              const std::array<uint8_t, 3>& yuv, int count) {
  const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
  sim::CodecContextPtr context(avcodec_alloc_context3(codec));
  context->width = width;
  context->height = height;
  context->time_base = AVRational{1, 15};
  context->pix_fmt = format;
  context->max_b_frames = 0;
  context->thread_count = 1;
  av_opt_set(context->priv_data, "preset", "ultrafast", 0);
  av_opt_set(context->priv_data, "tune", "zerolatency", 0);
  EXPECT_EQ(avcodec_open2(context.get(), codec, nullptr), 0);
  sim::FramePtr frame(av_frame_alloc());
  frame->format = format;
  frame->width = width;
  frame->height = height;
  EXPECT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
  const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
  for (int plane = 0; plane < 3; ++plane) {
    const int rows = plane == 0 ? height : AV_CEIL_RSHIFT(height, desc->log2_chroma_h);
    for (int row = 0; row < rows; ++row) {
      std::memset(frame->data[plane] + static_cast<std::ptrdiff_t>(row) * frame->linesize[plane],
                  yuv[plane], static_cast<std::size_t>(frame->linesize[plane]));
    }
  }
  sim::PacketPtr packet(av_packet_alloc());
  std::vector<Block> blocks;
  for (int i = 0; i < count; ++i) {
    frame->pts = i;
    EXPECT_EQ(avcodec_send_frame(context.get(), frame.get()), 0);
    Block block;
    while (avcodec_receive_packet(context.get(), packet.get()) == 0) {
      block.insert(block.end(), packet->data, packet->data + packet->size);
      av_packet_unref(packet.get());
    }
    blocks.push_back(std::move(block));
  }
  return blocks;
}

class H264DecoderFormat : public ::testing::TestWithParam<AVPixelFormat> {};

TEST_P(H264DecoderFormat, OtherChromaFormatsArriveAsPlanar420) {
  constexpr std::array<uint8_t, 3> kYuv = {81, 90, 240};
  const std::vector<Block> stream = EncodeFlat(GetParam(), 64, 48, kYuv, 3);
  auto decoder = DecoderFor(64, 48);
  std::vector<Copy> pictures;
  for (const Block& block : stream) Take(*decoder, block.data(), block.size(), 0, pictures);
  ASSERT_EQ(pictures.size(), stream.size());
  for (const Copy& picture : pictures) {
    ASSERT_EQ(picture.width, 64);
    ASSERT_EQ(picture.height, 48);
    ASSERT_EQ(picture.planes.size(), 64u * 48 + 2 * 32 * 24);
    const auto near = [](uint8_t value, uint8_t expected) {
      return std::abs(value - expected) <= 2;
    };
    EXPECT_TRUE(near(picture.planes.front(), kYuv[0]));
    EXPECT_TRUE(near(picture.planes[64 * 48], kYuv[1]));
    EXPECT_TRUE(near(picture.planes.back(), kYuv[2]));
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, H264DecoderFormat,
                         ::testing::Values(AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUV422P,
                                           AV_PIX_FMT_YUV444P),
                         [](const auto& info) {
                           return std::string(av_get_pix_fmt_name(info.param));
                         });

}  // namespace
}  // namespace qv
