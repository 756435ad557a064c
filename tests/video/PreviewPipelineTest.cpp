// The receiver with the real decoder, fed the simulator's stream.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

#include "PreviewEncoder.h"
#include "RecordingRenderer.h"
#include "video/PreviewReceiver.h"

namespace qv {
namespace {

using Block = std::vector<uint8_t>;
using Kind = PreviewReceiver::RendererKind;

std::vector<Block> Encode(int width, int height, int count) {
  sim::PreviewEncoder encoder({0, width, height, 15, 1024});
  std::vector<Block> blocks;
  for (int i = 0; i < count; ++i) blocks.push_back(encoder.NextBlock());
  return blocks;
}

struct PipelineCase {
  int streamWidth, streamHeight;
};

class PreviewPipeline : public ::testing::TestWithParam<PipelineCase> {};

TEST_P(PreviewPipeline, EveryBlockReachesTheRenderersAsAPictureOfItsOwnSize) {
  const PipelineCase& c = GetParam();
  const std::vector<Block> blocks = Encode(c.streamWidth, c.streamHeight, 20);
  PreviewReceiver receiver;  // frame size 352 x 240
  test::RecordingRenderer cell, quadrant;
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(cell, Kind::Cell));
  ASSERT_TRUE(receiver.Register(quadrant, Kind::Quadrant));
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    ASSERT_TRUE(receiver.PushPacket(blocks[i].data(), blocks[i].size()));
    // One at a time, so that no picture finds both slots busy.
    ASSERT_TRUE(quadrant.WaitForPictures(i + 1)) << "block " << i;
  }
  receiver.Stop();
  for (const test::RecordingRenderer* renderer : {&cell, &quadrant}) {
    const auto seen = renderer->seen();
    ASSERT_EQ(seen.size(), blocks.size());
    for (const auto& picture : seen) {
      EXPECT_EQ(picture.width, c.streamWidth);
      EXPECT_EQ(picture.height, c.streamHeight);
      EXPECT_GE(picture.yPitch, c.streamWidth);
      EXPECT_GE(picture.uvPitch, c.streamWidth / 2);
    }
  }
  // Both got the same pictures, and the moving test picture changes.
  EXPECT_EQ(cell.seen().front().y, quadrant.seen().front().y);
  EXPECT_NE(cell.seen().front().y, cell.seen().back().y);
  EXPECT_EQ(receiver.droppedBlocks(), 0u);
  EXPECT_EQ(receiver.droppedPictures(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Streams, PreviewPipeline,
                         ::testing::Values(PipelineCase{352, 240}, PipelineCase{176, 120}));

// Notes, for a renderer the test withdraws, any call that begins or is still
// running after its withdrawal returned.
class GuardedRenderer final : public PictureRenderer {
 public:
  void RenderPicture(const Picture& picture) override {
    if (withdrawn_.load()) lateCalls_.fetch_add(1);
    {
      std::lock_guard lock(mutex_);
      ++entered_;
    }
    entered.notify_all();
    // Work on the whole picture, so that the test can withdraw during a call.
    volatile unsigned sum =
        std::accumulate(picture.y, picture.y + picture.width * picture.height, 0u);
    (void)sum;
    if (withdrawn_.load()) lateCalls_.fetch_add(1);
  }

  // Returns once a call has begun.
  bool WaitForCall() {
    std::unique_lock lock(mutex_);
    const int before = entered_;
    return entered.wait_for(lock, test::kPatience, [&] { return entered_ > before; });
  }
  void SetWithdrawn(bool withdrawn) { withdrawn_.store(withdrawn); }
  int lateCalls() const { return lateCalls_.load(); }

 private:
  std::atomic<bool> withdrawn_{false};
  std::atomic<int> lateCalls_{0};
  std::mutex mutex_;
  std::condition_variable entered;
  int entered_ = 0;
};

TEST(PreviewPipelineWithdrawal, AWithdrawnRendererIsNeverCalledAgain) {
  const std::vector<Block> blocks = Encode(352, 240, 30);
  PreviewReceiver receiver;
  test::RecordingRenderer pace;  // stays registered: the feeder waits for it
  ASSERT_TRUE(receiver.Start());
  ASSERT_TRUE(receiver.Register(pace, Kind::Quadrant));

  std::atomic<bool> feeding{true};
  std::thread feeder([&] {
    for (std::size_t i = 0; feeding.load(); ++i) {
      const Block& block = blocks[i % blocks.size()];
      receiver.PushPacket(block.data(), block.size());
      // A few blocks in flight; a dropped picture only holds the feeder up briefly.
      pace.WaitForPictures(i > 4 ? i - 4 : 0, std::chrono::milliseconds(20));
    }
  });

  std::vector<GuardedRenderer> renderers(4);
  for (int round = 0; round < 60; ++round) {
    GuardedRenderer& renderer = renderers[round % renderers.size()];
    renderer.SetWithdrawn(false);
    ASSERT_TRUE(receiver.Register(renderer, round % 2 ? Kind::Cell : Kind::Quadrant));
    ASSERT_TRUE(renderer.WaitForCall()) << "round " << round;
    receiver.Withdraw(renderer);  // most often while the call runs
    renderer.SetWithdrawn(true);
  }
  feeding.store(false);
  feeder.join();
  receiver.Stop();
  for (const GuardedRenderer& renderer : renderers) EXPECT_EQ(renderer.lateCalls(), 0);
}

}  // namespace
}  // namespace qv
