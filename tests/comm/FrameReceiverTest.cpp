#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "comm/Crc.h"
#include "comm/FrameCodec.h"
#include "comm/FrameReceiver.h"

namespace qv::comm {
namespace {

std::vector<Frame> SampleFrames() {
  std::vector<Frame> frames;
  frames.push_back({FrameClass::Command, 110, 0, 7, 0, {1, 1, 0}});
  frames.push_back({FrameClass::Reply, 0, 110, 2, 0, std::vector<uint8_t>(2360, 0xA5)});
  frames.push_back({FrameClass::KeepaliveRequest, 255, 0, 0, 0, {}});
  frames.push_back({FrameClass::Reply, 0, 3, 10, -1, {0xA5, 0x5A, 0x01, 0x04}});
  frames.push_back({FrameClass::Block, 4, 0, 0, 77, std::vector<uint8_t>(1000, 0x5A)});
  return frames;
}

std::vector<uint8_t> Concat(const std::vector<Frame>& frames) {
  std::vector<uint8_t> out;
  for (const Frame& f : frames) {
    const auto bytes = FrameCodec::Encode(f);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

void ExpectSame(const std::vector<Frame>& got, const std::vector<Frame>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].cls, want[i].cls) << i;
    EXPECT_EQ(got[i].destination, want[i].destination) << i;
    EXPECT_EQ(got[i].source, want[i].source) << i;
    EXPECT_EQ(got[i].code, want[i].code) << i;
    EXPECT_EQ(got[i].arg, want[i].arg) << i;
    EXPECT_EQ(got[i].payload, want[i].payload) << i;
  }
}

struct Collector {
  std::vector<Frame> frames;
  FrameReceiver receiver{[this](const Frame& f) { frames.push_back(f); }};
};

TEST(FrameReceiver, ReassemblesFramesWhateverTheChunking) {
  const auto frames = SampleFrames();
  const auto bytes = Concat(frames);
  for (std::size_t chunk : {1u, 2u, 3u, 17u, 18u, 19u, 4096u, 100000u}) {
    Collector c;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
      c.receiver.Feed({bytes.data() + at, std::min(chunk, bytes.size() - at)});
    }
    ExpectSame(c.frames, frames);
    EXPECT_EQ(c.receiver.Buffered(), 0u) << chunk;
    EXPECT_EQ(c.receiver.stats().skippedBytes, 0u);
  }
}

TEST(FrameReceiver, ResynchronisesAfterGarbage) {
  const auto frames = SampleFrames();
  std::mt19937 rng(7);
  std::vector<uint8_t> stream;
  std::size_t garbage = 0;
  for (const Frame& f : frames) {
    // Garbage that includes lone sync bytes and false starts.
    std::vector<uint8_t> junk = {0xA5, 0x00, 0xA5, 0x5A, 0x01, 0x09, 0xA5};
    for (int i = 0; i < 50; ++i) junk.push_back(static_cast<uint8_t>(rng()));
    garbage += junk.size();
    stream.insert(stream.end(), junk.begin(), junk.end());
    const auto bytes = FrameCodec::Encode(f);
    stream.insert(stream.end(), bytes.begin(), bytes.end());
  }
  Collector c;
  c.receiver.Feed(stream);
  ExpectSame(c.frames, frames);
  EXPECT_EQ(c.receiver.stats().skippedBytes, garbage);
}

TEST(FrameReceiver, DropsDamagedFramesAndKeepsTheRest) {
  struct Case {
    const char* name;
    std::size_t offset;  // into the second frame
    bool countedBad;     // payload check failed (else the header was rejected)
  };
  const Case cases[] = {{"version", 2, false},
                        {"class", 3, false},
                        {"code", 6, false},
                        {"length", 13, false},
                        {"header check", 16, false},
                        {"payload", 18 + 5, true},
                        {"payload check", 18 + 2360 + 1, true}};
  const auto frames = SampleFrames();
  const std::size_t firstSize = FrameCodec::Encode(frames[0]).size();
  for (const Case& c : cases) {
    auto bytes = Concat(frames);
    bytes[firstSize + c.offset] ^= 0x40;
    Collector col;
    col.receiver.Feed(bytes);
    std::vector<Frame> expected = frames;
    expected.erase(expected.begin() + 1);
    ExpectSame(col.frames, expected);
    EXPECT_EQ(col.receiver.stats().badFrames, c.countedBad ? 1u : 0u) << c.name;
  }
}

TEST(FrameReceiver, RefusesLengthsBeyondTheBound) {
  EXPECT_TRUE(
      FrameCodec::Encode({FrameClass::Reply, 0, 1, 26, 0, std::vector<uint8_t>(kMaxPayload + 1)})
          .empty());
  // A well-formed header that announces too much is skipped, not waited for.
  Frame big{FrameClass::Reply, 0, 1, 26, 0, std::vector<uint8_t>(16)};
  auto bytes = FrameCodec::Encode(big);
  const uint32_t huge = kMaxPayload + 1;
  std::memcpy(&bytes[12], &huge, 4);
  const uint16_t crc = Crc16({bytes.data(), 16});
  std::memcpy(&bytes[16], &crc, 2);
  const auto good = FrameCodec::Encode(SampleFrames()[0]);
  bytes.insert(bytes.end(), good.begin(), good.end());
  Collector c;
  c.receiver.Feed(bytes);
  ASSERT_EQ(c.frames.size(), 1u);
  EXPECT_EQ(c.frames[0].code, 7);
}

TEST(FrameCodec, DatagramsHoldExactlyOneFrame) {
  const Frame f{FrameClass::DiscoveryAnswer, 0, 20, 0, 0, {1, 2, 3, 4, 5, 6, 0x1D, 0xEF, 'Q'}};
  auto bytes = FrameCodec::Encode(f);
  Frame out;
  ASSERT_TRUE(FrameCodec::DecodeDatagram(bytes, out));
  EXPECT_EQ(out.payload, f.payload);
  bytes.push_back(0);
  EXPECT_FALSE(FrameCodec::DecodeDatagram(bytes, out));
  bytes.pop_back();
  bytes.back() ^= 1;
  EXPECT_FALSE(FrameCodec::DecodeDatagram(bytes, out));
}

}  // namespace
}  // namespace qv::comm
