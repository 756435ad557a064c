// The preview pipeline on the simulator's stream: plain libavcodec decoding
// as the baseline, then the receiver from pushed blocks to renderer calls
// (a renderer that does nothing), its added latency at a steady block rate,
// and its losses at 500 blocks a second. Prints one "key: value" a line.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "FfmpegHandles.h"
#include "PreviewEncoder.h"
#include "video/H264Decoder.h"
#include "video/PreviewReceiver.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

using Clock = std::chrono::steady_clock;
using Block = std::vector<uint8_t>;

constexpr int kWidth = 352;
constexpr int kHeight = 240;
constexpr int kFrames = 300;
constexpr int kPasses = 4;  // over the stream, per throughput run
// Raw and pipeline runs alternate, and the medians count: the machine is
// shared, and a lucky or unlucky run of either must not decide the ratio.
constexpr int kRuns = 9;
constexpr std::size_t kInFlight = 90;  // blocks queued at most when measuring throughput
constexpr int kSteadyRate = 100;       // blocks a second for the latency
constexpr int kFastRate = 500;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}
double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
}

double RawDecodeFps(const std::vector<Block>& blocks) {
  const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
  qv::sim::CodecContextPtr context(avcodec_alloc_context3(codec));
  context->flags |= AV_CODEC_FLAG_LOW_DELAY;
  context->thread_count = 1;
  if (avcodec_open2(context.get(), codec, nullptr) < 0) return 0;
  qv::sim::PacketPtr packet(av_packet_alloc());
  qv::sim::FramePtr frame(av_frame_alloc());
  std::vector<Block> padded;
  for (const Block& block : blocks) {
    padded.push_back(block);
    padded.back().resize(block.size() + AV_INPUT_BUFFER_PADDING_SIZE);
  }
  int pictures = 0;
  const Clock::time_point start = Clock::now();
  for (int pass = 0; pass < kPasses; ++pass) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      packet->data = padded[i].data();
      packet->size = static_cast<int>(blocks[i].size());
      avcodec_send_packet(context.get(), packet.get());
      while (avcodec_receive_frame(context.get(), frame.get()) == 0) ++pictures;
    }
  }
  return pictures / Seconds(Clock::now() - start);
}

// What the decode thread did with the blocks: how long each took to decode,
// and how many it has taken, for a feeder that waits for room in the ring.
class BlockLog {
 public:
  explicit BlockLog(std::size_t blocks) : times_(blocks) {}

  // Decode thread.
  void Decoded(Clock::duration time) {
    std::lock_guard lock(mutex_);
    if (taken_ < times_.size()) times_[taken_] = time;
    if (++taken_ == wakeAt_) taken.notify_all();
  }
  void WaitUntilTaken(std::size_t count) {
    std::unique_lock lock(mutex_);
    wakeAt_ = count;
    taken.wait(lock, [&] { return taken_ >= count; });
  }
  std::vector<Clock::duration> times() {
    std::lock_guard lock(mutex_);
    return times_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable taken;
  std::vector<Clock::duration> times_;
  std::size_t taken_ = 0;
  std::size_t wakeAt_ = 0;
};

// The H.264 decoder, timing each call that brings a block.
class TimedDecoder final : public qv::PictureDecoder {
 public:
  TimedDecoder(std::unique_ptr<qv::PictureDecoder> inner, BlockLog& log)
      : inner_(std::move(inner)), log_(log) {}

  Result Frame(const uint8_t* stream, std::size_t length, unsigned flags, Output& out) override {
    if (length == 0) return inner_->Frame(stream, length, flags, out);
    const Clock::time_point start = Clock::now();
    const Result result = inner_->Frame(stream, length, flags, out);
    log_.Decoded(Clock::now() - start);
    return result;
  }

 private:
  std::unique_ptr<qv::PictureDecoder> inner_;
  BlockLog& log_;
};

// Does nothing with a picture but note when it came.
class NoOpRenderer final : public qv::PictureRenderer {
 public:
  explicit NoOpRenderer(std::size_t capacity) : times_(capacity) {}

  void RenderPicture(const qv::Picture&) override {
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(mutex_);
    if (count_ < times_.size()) times_[count_] = now;
    // Waking the waiter for every picture would take a core from the pipeline.
    if (++count_ == awaited_) changed_.notify_all();
  }

  // Waits until `count` pictures came or the receiver dropped the rest.
  void WaitFor(std::size_t count, const qv::PreviewReceiver& receiver) {
    std::unique_lock lock(mutex_);
    awaited_ = count;
    while (count_ + receiver.droppedPictures() + receiver.droppedBlocks() < count) {
      changed_.wait_for(lock, std::chrono::milliseconds(1));
    }
  }
  std::size_t count() {
    std::lock_guard lock(mutex_);
    return count_;
  }
  std::vector<Clock::time_point> times() {
    std::lock_guard lock(mutex_);
    return times_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Clock::time_point> times_;
  std::size_t count_ = 0;
  std::size_t awaited_ = 0;
};

// A started receiver of the frame size with one no-op renderer.
struct Run {
  explicit Run(std::size_t blocks)
      : log(blocks),
        renderer(blocks),
        receiver([this](const qv::PictureDecoder::Attributes& attributes)
                     -> std::unique_ptr<qv::PictureDecoder> {
          auto decoder = qv::H264Decoder::Create(attributes);
          if (!decoder) return nullptr;
          return std::make_unique<TimedDecoder>(std::move(decoder), log);
        }) {
    receiver.SetFrameSize(kWidth, kHeight);
    receiver.Start();
    receiver.Register(renderer, qv::PreviewReceiver::RendererKind::Cell);
  }

  BlockLog log;
  NoOpRenderer renderer;
  qv::PreviewReceiver receiver;
};

struct Throughput {
  double fps = 0;
  uint64_t droppedPictures = 0;
};

// Blocks go in as fast as the ring takes them without loss.
Throughput PipelineFps(const std::vector<Block>& blocks) {
  const std::size_t total = blocks.size() * kPasses;
  Run run(total);
  const Clock::time_point start = Clock::now();
  for (std::size_t i = 0; i < total; ++i) {
    // Waking for every block would take a core from the pipeline: the
    // feeder tops the queue up once half of it has gone.
    if (i >= kInFlight && i % (kInFlight / 2) == 0) run.log.WaitUntilTaken(i - kInFlight / 2);
    const Block& block = blocks[i % blocks.size()];
    run.receiver.PushPacket(block.data(), block.size());
  }
  run.renderer.WaitFor(total, run.receiver);
  const std::size_t rendered = run.renderer.count();
  if (rendered == 0) return {};
  const Clock::time_point last = run.renderer.times()[rendered - 1];
  return {static_cast<double>(rendered) / Seconds(last - start), run.receiver.droppedPictures()};
}

// Pushes every block at `rate` blocks a second; returns the push times.
std::vector<Clock::time_point> PushPaced(Run& run, const std::vector<Block>& blocks, int rate) {
  std::vector<Clock::time_point> pushed;
  const Clock::time_point start = Clock::now();
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    std::this_thread::sleep_until(start + i * std::chrono::microseconds(1000000 / rate));
    pushed.push_back(Clock::now());
    run.receiver.PushPacket(blocks[i].data(), blocks[i].size());
  }
  run.renderer.WaitFor(blocks.size(), run.receiver);
  return pushed;
}

}  // namespace

int main() {
  av_log_set_level(AV_LOG_ERROR);
  std::vector<Block> blocks;
  qv::sim::PreviewEncoder encoder({0, kWidth, kHeight, 15, 1024});
  for (int i = 0; i < kFrames; ++i) blocks.push_back(encoder.NextBlock());

  std::vector<double> raws, pipelines, shares;
  uint64_t picturesDropped = 0;
  for (int i = 0; i < kRuns; ++i) {
    raws.push_back(RawDecodeFps(blocks));
    const Throughput run = PipelineFps(blocks);
    pipelines.push_back(run.fps);
    shares.push_back(raws.back() > 0 ? run.fps / raws.back() : 0);
    picturesDropped += run.droppedPictures;
  }

  std::vector<double> added;
  {
    Run run(blocks.size());
    const std::vector<Clock::time_point> pushed = PushPaced(run, blocks, kSteadyRate);
    const std::vector<Clock::time_point> rendered = run.renderer.times();
    const std::vector<Clock::duration> decoded = run.log.times();
    // One picture per block, none dropped at this rate: picture i is block i's.
    if (run.renderer.count() == blocks.size()) {
      for (std::size_t i = 0; i < blocks.size(); ++i) {
        added.push_back(Milliseconds(rendered[i] - pushed[i] - decoded[i]));
      }
    }
  }

  uint64_t dropped = 0;
  {
    Run run(blocks.size());
    PushPaced(run, blocks, kFastRate);
    dropped = run.receiver.droppedBlocks();
  }

  std::printf("stream: %dx%d, %d frames\n", kWidth, kHeight, kFrames);
  std::printf("raw_decode_fps: %.0f\n", Percentile(raws, 0.5));
  std::printf("pipeline_fps: %.0f\n", Percentile(pipelines, 0.5));
  // The median of each run's pipeline rate over the raw rate just before it.
  std::printf("pipeline_share_of_raw: %.2f\n", Percentile(shares, 0.5));
  // Pictures that found both picture slots busy, over all throughput runs.
  std::printf("pipeline_pictures_dropped: %llu\n",
              static_cast<unsigned long long>(picturesDropped));
  if (added.empty()) {
    std::printf("added_latency_p50_ms: n/a\nadded_latency_p99_ms: n/a\n");
  } else {
    std::printf("added_latency_p50_ms: %.3f\n", Percentile(added, 0.50));
    std::printf("added_latency_p99_ms: %.3f\n", Percentile(added, 0.99));
  }
  std::printf("dropped_at_500: %llu\n", static_cast<unsigned long long>(dropped));
  return 0;
}
