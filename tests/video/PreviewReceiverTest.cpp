#include "video/PreviewReceiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "PreviewEncoder.h"
#include "RecordingRenderer.h"
#include "ScriptedDecoder.h"
#include "support/ThreadNames.h"
#include "video/PreviewReceivers.h"

namespace qv {
namespace {

using test::DecoderScript;
using test::IdBlock;
using test::RecordingRenderer;
using Kind = PreviewReceiver::RendererKind;

bool Push(PreviewReceiver& receiver, uint32_t id) {
  const std::vector<uint8_t> block = IdBlock(id);
  return receiver.PushPacket(block.data(), block.size());
}

std::vector<int64_t> Ids(int64_t first, int64_t count) {
  std::vector<int64_t> ids;
  for (int64_t i = 0; i < count; ++i) ids.push_back(first + i);
  return ids;
}

// A receiver on scripted decoders. A test that fails while a decoder is held
// must not leave the receiver's stop waiting for it.
class ReceiverTest : public ::testing::Test {
 protected:
  void TearDown() override {
    script.SetGate(true);
    receiver.Stop();
  }

  DecoderScript script;
  PreviewReceiver receiver{script.Factory()};
};

struct SizeCase {
  int width, height;
  int mbWidth, mbHeight;
};

class ReceiverFrameSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ReceiverFrameSize, DecoderIsMadeForTheFrameSizeInWholeMacroblocks) {
  const SizeCase& c = GetParam();
  DecoderScript script;
  PreviewReceiver receiver(script.Factory());
  ASSERT_TRUE(receiver.SetFrameSize(c.width, c.height));
  ASSERT_TRUE(receiver.Start());
  ASSERT_EQ(script.attributes().size(), 1u);
  EXPECT_EQ(script.attributes()[0].widthInMacroblocks, c.mbWidth);
  EXPECT_EQ(script.attributes()[0].heightInMacroblocks, c.mbHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReceiverFrameSize,
                         ::testing::Values(SizeCase{352, 240, 22, 15},
                                           SizeCase{1920, 1080, 120, 68}, SizeCase{16, 16, 1, 1},
                                           SizeCase{17, 33, 2, 3}));

TEST_F(ReceiverTest, FrameSizeIsFixedWhileDecodingAndNeverEmpty) {
  EXPECT_FALSE(receiver.SetFrameSize(0, 240));
  EXPECT_FALSE(receiver.SetFrameSize(352, -1));
  ASSERT_TRUE(receiver.Start());
  EXPECT_FALSE(receiver.SetFrameSize(640, 360));
  receiver.Stop();
  EXPECT_TRUE(receiver.SetFrameSize(640, 360));
  EXPECT_EQ(receiver.frameWidth(), 640);
  EXPECT_EQ(receiver.frameHeight(), 360);
}

TEST_F(ReceiverTest, BlocksAreDroppedUntilStartedAndAfterStop) {
  EXPECT_FALSE(Push(receiver, 1));
  ASSERT_TRUE(receiver.Start());
  EXPECT_TRUE(Push(receiver, 2));
  ASSERT_TRUE(script.WaitForCalls(1));
  receiver.Stop();
  EXPECT_FALSE(Push(receiver, 3));
  EXPECT_EQ(script.BlockIds(), (std::vector<int64_t>{2}));
  // Refusals of a stopped receiver are not losses.
  EXPECT_EQ(receiver.droppedBlocks(), 0u);
}

TEST_F(ReceiverTest, FullRingDropsTheNewBlockAndKeepsTheQueuedOnes) {
  ASSERT_TRUE(receiver.Start());
  script.SetGate(false);
  ASSERT_TRUE(Push(receiver, 0));
  ASSERT_TRUE(script.WaitUntilHeld());
  // Block 0's slot stays full while it is decoded: 99 more fit.
  for (uint32_t id = 1; id < PreviewReceiver::kRingSlots; ++id) ASSERT_TRUE(Push(receiver, id));
  EXPECT_FALSE(Push(receiver, 1000));
  EXPECT_EQ(receiver.droppedBlocks(), 1u);

  script.SetGate(true);
  ASSERT_TRUE(script.WaitForCalls(2 * PreviewReceiver::kRingSlots));
  ASSERT_TRUE(Push(receiver, 1001));
  ASSERT_TRUE(script.WaitForCalls(2 * PreviewReceiver::kRingSlots + 2));
  std::vector<int64_t> expected = Ids(0, PreviewReceiver::kRingSlots);
  expected.push_back(1001);
  EXPECT_EQ(script.BlockIds(), expected);
}

TEST_F(ReceiverTest, BusyPictureSlotsDropPicturesWithoutHoldingUpDecoding) {
  RecordingRenderer renderer;
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(renderer, Kind::Cell));
  renderer.SetGate(false);
  ASSERT_TRUE(Push(receiver, 0));
  ASSERT_TRUE(renderer.WaitUntilHeld());  // slot 0 stays busy
  for (uint32_t id : {1, 2, 3}) ASSERT_TRUE(Push(receiver, id));
  // Each block is one call with data and one that finds nothing more.
  ASSERT_TRUE(script.WaitForCalls(8));
  EXPECT_EQ(receiver.droppedPictures(), 2u);  // 2 and 3 found both slots busy

  renderer.SetGate(true);
  ASSERT_TRUE(renderer.WaitForPictures(2));
  ASSERT_TRUE(Push(receiver, 4));
  ASSERT_TRUE(renderer.WaitForPictures(3));
  std::vector<uint8_t> firstBytes;
  for (const auto& seen : renderer.seen()) firstBytes.push_back(seen.y.front());
  EXPECT_EQ(firstBytes, (std::vector<uint8_t>{0, 1, 4}));
}

TEST_F(ReceiverTest, EmptyBlockDrainsEveryHeldPicture) {
  script.picturesOnFlush = 3;
  RecordingRenderer renderer;
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(renderer, Kind::Quadrant));
  ASSERT_TRUE(Push(receiver, 7));
  ASSERT_TRUE(receiver.PushPacket(nullptr, 0));
  ASSERT_TRUE(script.WaitForCalls(6));

  const std::vector<DecoderScript::Call> calls = script.calls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].flags, 0u);
  EXPECT_EQ(calls[1].flags, 0u);
  for (std::size_t i = 2; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].id, -1);
    EXPECT_EQ(calls[i].flags, PictureDecoder::kFlush) << "call " << i;
  }
  // Whatever the render thread did not take in time was dropped, not lost track of.
  const uint64_t dropped = receiver.droppedPictures();
  ASSERT_TRUE(renderer.WaitForPictures(4 - dropped));
  EXPECT_EQ(renderer.seen().size() + dropped, 4u);
}

TEST_F(ReceiverTest, DecoderErrorEndsTheBlockEveryTime) {
  script.failAlways = true;
  ASSERT_TRUE(receiver.Start());
  for (uint32_t id : {1, 2, 3}) ASSERT_TRUE(Push(receiver, id));
  ASSERT_TRUE(receiver.PushPacket(nullptr, 0));
  ASSERT_TRUE(Push(receiver, 4));
  ASSERT_TRUE(script.WaitForCalls(5));
  receiver.Stop();
  // One call per block: an error is never asked again.
  std::vector<int64_t> ids;
  for (const auto& call : script.calls()) ids.push_back(call.id);
  EXPECT_EQ(ids, (std::vector<int64_t>{1, 2, 3, -1, 4}));
}

TEST_F(ReceiverTest, StopFreesQueuedBlocksAndTheRingStartsAfresh) {
  ASSERT_TRUE(receiver.Start());
  script.SetGate(false);
  ASSERT_TRUE(Push(receiver, 0));
  ASSERT_TRUE(script.WaitUntilHeld());
  for (uint32_t id = 1; id <= 50; ++id) ASSERT_TRUE(Push(receiver, id));

  std::thread stopper([&] { receiver.Stop(); });
  // Once blocks are refused the decode thread has been told to stop; only
  // then may it finish block 0.
  const auto deadline = std::chrono::steady_clock::now() + test::kPatience;
  while (receiver.IsDecoding() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::yield();
  }
  script.SetGate(true);
  stopper.join();
  EXPECT_EQ(script.BlockIds(), (std::vector<int64_t>{0}));

  // A fresh decoder sees none of the old blocks, and the whole ring is free.
  ASSERT_TRUE(receiver.Start());
  script.SetGate(false);
  ASSERT_TRUE(Push(receiver, 200));
  ASSERT_TRUE(script.WaitUntilHeld());
  for (uint32_t id = 201; id < 200 + PreviewReceiver::kRingSlots; ++id) {
    ASSERT_TRUE(Push(receiver, id));
  }
  EXPECT_FALSE(Push(receiver, 999));
  script.SetGate(true);
  ASSERT_TRUE(script.WaitForCalls(2 + 2 * PreviewReceiver::kRingSlots));
  std::vector<int64_t> fromSecond;
  for (const auto& call : script.calls()) {
    if (call.decoder == 1 && call.id >= 0) fromSecond.push_back(call.id);
  }
  EXPECT_EQ(fromSecond, Ids(200, PreviewReceiver::kRingSlots));
}

struct HandOverCase {
  const char* name;
  int width, height, cropBottom, yStride, uvStride;
  int seenHeight, seenUvPitch;  // seenHeight 0: the picture is dropped
};

class ReceiverHandOver : public ::testing::TestWithParam<HandOverCase> {};

TEST_P(ReceiverHandOver, RenderersGetTheVisibleRowsPackedAtTheirRealSize) {
  const HandOverCase& c = GetParam();
  DecoderScript script;
  script.width = c.width;
  script.height = c.height;
  script.cropBottom = c.cropBottom;
  script.yStride = c.yStride;
  script.uvStride = c.uvStride;
  RecordingRenderer renderer;
  PreviewReceiver receiver(script.Factory());  // frame size 352 x 240 all the same
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(renderer, Kind::Cell));
  ASSERT_TRUE(Push(receiver, 0x21));
  ASSERT_TRUE(Push(receiver, 0x22));
  ASSERT_TRUE(script.WaitForCalls(4));

  if (c.seenHeight == 0) {
    receiver.Stop();
    EXPECT_TRUE(renderer.seen().empty());
    EXPECT_EQ(receiver.droppedPictures(), 2u);
    return;
  }
  ASSERT_TRUE(renderer.WaitForPictures(2 - receiver.droppedPictures()));
  const RecordingRenderer::Seen seen = renderer.seen().back();
  EXPECT_EQ(seen.width, c.width);
  EXPECT_EQ(seen.height, c.seenHeight);
  EXPECT_EQ(seen.yPitch, c.width);
  EXPECT_EQ(seen.uvPitch, c.seenUvPitch);
  // Neither stride padding nor cropped rows reach a renderer.
  const uint8_t id = seen.y.front();
  EXPECT_TRUE(id == 0x21 || id == 0x22);
  EXPECT_EQ(std::count(seen.y.begin(), seen.y.end(), id), static_cast<long>(seen.y.size()));
  EXPECT_EQ(std::count(seen.uv.begin(), seen.uv.end(), id), static_cast<long>(seen.uv.size()));
}

INSTANTIATE_TEST_SUITE_P(Pictures, ReceiverHandOver,
                         ::testing::Values(HandOverCase{"padded", 20, 16, 0, 32, 16, 16, 10},
                                           HandOverCase{"cropped", 20, 18, 2, 32, 16, 16, 10},
                                           HandOverCase{"odd", 21, 17, 0, 21, 11, 17, 11},
                                           HandOverCase{"allCropped", 20, 16, 16, 32, 16, 0, 0},
                                           HandOverCase{"strideTooShort", 20, 16, 0, 16, 16, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceiverTest, LentPicturesAreReadInPlaceAndLetGoOnceRenderedOrStopped) {
  script.width = 20;
  script.height = 18;
  script.cropBottom = 2;
  script.yStride = 32;
  script.uvStride = 16;
  script.lend = true;
  RecordingRenderer renderer;
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(renderer, Kind::Cell));
  ASSERT_TRUE(Push(receiver, 0x31));
  ASSERT_TRUE(renderer.WaitForPictures(1));
  const RecordingRenderer::Seen seen = renderer.seen().front();
  EXPECT_EQ(seen.height, 16);
  EXPECT_EQ(seen.yPitch, 32);  // the decoder's own rows, not a copy
  EXPECT_EQ(seen.uvPitch, 16);
  EXPECT_EQ(std::count(seen.y.begin(), seen.y.end(), 0x31), static_cast<long>(seen.y.size()));
  EXPECT_EQ(std::count(seen.uv.begin(), seen.uv.end(), 0x31), static_cast<long>(seen.uv.size()));
  // The loan ends as the render call returns.
  const auto deadline = std::chrono::steady_clock::now() + test::kPatience;
  while (!script.AllLentReturned() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(script.AllLentReturned());

  // One picture inside a renderer and one waiting in the other slot when the
  // receiver stops: neither outlives it.
  renderer.SetGate(false);
  ASSERT_TRUE(Push(receiver, 0x32));
  ASSERT_TRUE(renderer.WaitUntilHeld());
  ASSERT_TRUE(Push(receiver, 0x33));
  ASSERT_TRUE(script.WaitForCalls(6));
  EXPECT_EQ(script.LentCount(), 3u);
  std::thread opener([&] {
    while (receiver.IsDecoding()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    renderer.SetGate(true);
  });
  receiver.Stop();
  opener.join();
  EXPECT_TRUE(script.AllLentReturned());
}

// Keeps the order in which renderers are called.
class OrderRenderer final : public PictureRenderer {
 public:
  OrderRenderer(std::vector<char>& order, std::mutex& mutex, char name)
      : order_(order), mutex_(mutex), name_(name) {}
  void RenderPicture(const Picture&) override {
    std::lock_guard lock(mutex_);
    order_.push_back(name_);
  }

 private:
  std::vector<char>& order_;
  std::mutex& mutex_;
  const char name_;
};

TEST_F(ReceiverTest, RegistrationTakesTheFirstEmptyEntryOnceAndStopEmptiesTheTable) {
  std::mutex mutex;
  std::vector<char> order;
  OrderRenderer a(order, mutex, 'a'), b(order, mutex, 'b'), c(order, mutex, 'c');
  RecordingRenderer last;  // called after the others: tells when a picture is through
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(a, Kind::Cell));
  ASSERT_TRUE(receiver.Register(b, Kind::Quadrant));
  ASSERT_TRUE(receiver.Register(last, Kind::Cell));
  ASSERT_TRUE(receiver.Register(a, Kind::Quadrant));  // already there: nothing changes
  EXPECT_EQ(receiver.KindOf(a), Kind::Cell);
  EXPECT_EQ(receiver.KindOf(b), Kind::Quadrant);

  receiver.Withdraw(a);
  EXPECT_EQ(receiver.KindOf(a), std::nullopt);
  ASSERT_TRUE(receiver.Register(b, Kind::Cell));  // met after the empty entry: still once
  EXPECT_EQ(receiver.KindOf(b), Kind::Quadrant);
  ASSERT_TRUE(receiver.Register(c, Kind::Cell));  // into a's old entry, ahead of b
  ASSERT_TRUE(Push(receiver, 1));
  ASSERT_TRUE(last.WaitForPictures(1));
  {
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, (std::vector<char>{'c', 'b'}));
  }

  receiver.Stop();
  for (const PictureRenderer* r :
       {static_cast<PictureRenderer*>(&b), static_cast<PictureRenderer*>(&c),
        static_cast<PictureRenderer*>(&last)}) {
    EXPECT_EQ(receiver.KindOf(*r), std::nullopt);
  }
}

TEST_F(ReceiverTest, TableHoldsAtMost240Renderers) {
  std::vector<RecordingRenderer> renderers(PreviewReceiver::kRendererSlots + 1);
  for (int i = 0; i < PreviewReceiver::kRendererSlots; ++i) {
    ASSERT_TRUE(receiver.Register(renderers[i], Kind::Cell));
  }
  EXPECT_FALSE(receiver.Register(renderers.back(), Kind::Cell));
  receiver.Withdraw(renderers[17]);
  EXPECT_TRUE(receiver.Register(renderers.back(), Kind::Quadrant));
}

TEST_F(ReceiverTest, WithoutADecoderBlocksAreDroppedAndRegistrationStillWorks) {
  script.failCreation = true;
  RecordingRenderer renderer;
  EXPECT_FALSE(receiver.Start());
  EXPECT_FALSE(receiver.IsDecoding());
  EXPECT_FALSE(Push(receiver, 1));
  EXPECT_TRUE(receiver.Register(renderer, Kind::Cell));
  EXPECT_EQ(receiver.KindOf(renderer), Kind::Cell);
  receiver.Withdraw(renderer);
  EXPECT_EQ(receiver.KindOf(renderer), std::nullopt);
}

TEST_F(ReceiverTest, WithdrawalWaitsOnlyForACallIntoTheWithdrawnRenderer) {
  RecordingRenderer busy, other, late;
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(busy, Kind::Cell));
  ASSERT_TRUE(receiver.Register(other, Kind::Cell));
  busy.SetGate(false);
  ASSERT_TRUE(Push(receiver, 1));
  ASSERT_TRUE(busy.WaitUntilHeld());

  // The table is free while a renderer is inside its call.
  receiver.Withdraw(other);
  ASSERT_TRUE(receiver.Register(late, Kind::Quadrant));
  receiver.Withdraw(late);

  std::size_t picturesWhenWithdrawn = 0;
  std::thread withdrawer([&] {
    receiver.Withdraw(busy);
    picturesWhenWithdrawn = busy.seen().size();
  });
  const auto deadline = std::chrono::steady_clock::now() + test::kPatience;
  while (receiver.KindOf(busy) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::yield();
  }
  busy.SetGate(true);
  withdrawer.join();
  EXPECT_EQ(picturesWhenWithdrawn, 1u);  // its call had ended
  EXPECT_TRUE(other.seen().empty());
  EXPECT_TRUE(late.seen().empty());
}

// The simulator's stream: an IDR picture with its parameter sets every
// kIdrInterval blocks, from block 0 on.
std::vector<std::vector<uint8_t>> Stream(int count) {
  sim::PreviewEncoder encoder({0, 176, 120, 15, 256});
  std::vector<std::vector<uint8_t>> blocks;
  for (int i = 0; i < count; ++i) blocks.push_back(encoder.NextBlock());
  return blocks;
}

TEST_F(ReceiverTest, AStreamJoinedInTheMiddleReachesTheDecoderFromItsNextIdrPicture) {
  constexpr int kIdr = sim::PreviewEncoder::kIdrInterval;
  const auto stream = Stream(kIdr + 4);
  ASSERT_TRUE(receiver.Start());
  for (int i = 10; i < kIdr + 4; ++i) {
    ASSERT_TRUE(receiver.PushPacket(stream[i].data(), stream[i].size())) << "block " << i;
  }
  // Each block taken is one call with data and one that finds nothing more.
  ASSERT_TRUE(script.WaitForCalls(2 * 4));
  EXPECT_EQ(script.blocks(), decltype(stream)(stream.begin() + kIdr, stream.end()));
  EXPECT_EQ(receiver.skippedBlocks(), static_cast<uint64_t>(kIdr - 10));
  EXPECT_EQ(receiver.droppedBlocks(), 0u);
}

TEST_F(ReceiverTest, AfterARestartOrAFlushTheDecoderWaitsForTheNextIdrPicture) {
  const auto stream = Stream(3);  // an IDR picture, then two that are not
  const auto push = [&](int block) {
    return receiver.PushPacket(stream[block].data(), stream[block].size());
  };
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(push(0));
  ASSERT_TRUE(push(1));
  ASSERT_TRUE(script.WaitForCalls(4));
  receiver.Stop();

  // A new decoder knows nothing of the stream so far.
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(push(2));
  ASSERT_TRUE(push(0));
  // Stream after a flush is decoded afresh.
  ASSERT_TRUE(receiver.PushPacket(nullptr, 0));
  ASSERT_TRUE(push(1));
  ASSERT_TRUE(push(0));
  ASSERT_TRUE(push(2));
  // Two calls for each block taken, one for the flush.
  ASSERT_TRUE(script.WaitForCalls(11));
  receiver.Stop();

  EXPECT_EQ(script.blocks(),
            decltype(stream)({stream[0], stream[1], stream[0], stream[0], stream[2]}));
  std::vector<int> decoders;
  for (const auto& call : script.calls()) {
    if (call.id >= 0) decoders.push_back(call.decoder);
  }
  EXPECT_EQ(decoders, (std::vector<int>{0, 0, 1, 1, 1}));
  EXPECT_EQ(receiver.skippedBlocks(), 2u);
}

TEST(PreviewReceivers, ThreadsAreNamedAfterTheirChannel) {
  DecoderScript script;
  PreviewReceivers receivers(script.Factory());
  PreviewReceiver& receiver = receivers.Receiver(2);
  RecordingRenderer renderer;
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(renderer, Kind::Cell));
  ASSERT_TRUE(Push(receiver, 1));
  // Both threads have named themselves before they handle anything.
  ASSERT_TRUE(renderer.WaitForPictures(1));
  const std::vector<std::string> names = test::ThreadNames();
  for (const char* name : {"qv-decode-2", "qv-render-2"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }
  receivers.StopAll();
}

TEST(PreviewReceivers, BlocksGoToTheirChannelsReceiverAndOnlyIfItDecodes) {
  DecoderScript script;
  PreviewReceivers receivers(script.Factory());
  ASSERT_TRUE(receivers.Receiver(0).Start());  // decoder 0
  ASSERT_TRUE(receivers.Receiver(2).Start());  // decoder 1
  PreviewSink& sink = receivers;
  for (int channel : {-1, 0, 1, 2, 3, 4, 100}) {
    const std::vector<uint8_t> block = IdBlock(static_cast<uint32_t>(10 + channel));
    sink.PushPreviewBlock(channel, block.data(), block.size());
  }
  ASSERT_TRUE(script.WaitForCalls(4));
  receivers.StopAll();
  std::vector<std::pair<int, int64_t>> decoded;
  for (const auto& call : script.calls()) {
    if (call.id >= 0) decoded.emplace_back(call.decoder, call.id);
  }
  std::sort(decoded.begin(), decoded.end());
  EXPECT_EQ(decoded, (std::vector<std::pair<int, int64_t>>{{0, 10}, {1, 12}}));
}

}  // namespace
}  // namespace qv
