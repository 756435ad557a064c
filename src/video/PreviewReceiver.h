#pragma once
// One preview channel: stream blocks from the link go through a ring of 100
// slots to a decode thread, decoded pictures through two slots to a render
// thread, which hands each picture to every registered renderer. After each
// Start, and after each flush, the decoder gets nothing before the stream's
// next IDR picture with its parameter sets (StreamStartGate).
//
// Who calls what:
// - the link's I/O thread, the only producer: PushPacket;
// - the decode thread: reads the ring, runs the decoder, fills picture slots;
// - the render thread: empties picture slots into the renderers;
// - the user-interface thread: everything else.
// Both queues drop rather than wait: a block that finds its ring slot still
// full is dropped, and so is a picture that finds its picture slot busy, so
// the link never waits for decoding and decoding never waits for rendering.

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "video/Picture.h"
#include "video/PictureDecoder.h"
#include "video/PictureRenderer.h"
#include "video/StreamStartGate.h"
#include "video/WakeSignal.h"

namespace qv {

class PreviewReceiver {
 public:
  static constexpr int kRingSlots = 100;
  static constexpr int kRendererSlots = 240;
  static constexpr int kDefaultWidth = 352;
  static constexpr int kDefaultHeight = 240;

  enum class RendererKind { Cell = 0, Quadrant = 1 };

  // Decodes with H264Decoder. `channel` only names the threads.
  explicit PreviewReceiver(int channel = 0);
  explicit PreviewReceiver(DecoderFactory factory, int channel = 0);
  ~PreviewReceiver();
  PreviewReceiver(const PreviewReceiver&) = delete;
  PreviewReceiver& operator=(const PreviewReceiver&) = delete;

  // The picture size the decoder is made for at the next Start. False for an
  // empty size or while decoding.
  bool SetFrameSize(int width, int height);
  int frameWidth() const { return frameWidth_; }
  int frameHeight() const { return frameHeight_; }

  // Makes the decoder and starts the decode and render threads, whichever do
  // not run yet. False when no decoder could be made: blocks are then
  // dropped and the render thread idles.
  bool Start();
  // Stops both threads without waiting for queued work, frees every queued
  // block and picture and empties the renderer table: renderers register
  // again after the next Start.
  void Stop();
  // Between a Start that made a decoder and the next Stop; blocks are taken
  // only then. Any thread.
  bool IsDecoding() const { return accepting_.load(std::memory_order_acquire); }

  // Enters the renderer into the first empty table entry, unless it is in
  // the table already. False when the table is full.
  bool Register(PictureRenderer& renderer, RendererKind kind);
  // Takes the renderer out of the table. Returns only once the render thread
  // is no longer inside its RenderPicture, so the renderer may be destroyed
  // then. Must not be called while holding a lock the renderer's
  // RenderPicture takes.
  void Withdraw(PictureRenderer& renderer);
  std::optional<RendererKind> KindOf(const PictureRenderer& renderer) const;

  // Link I/O thread: queues a copy of the block; an empty block asks the
  // decoder to hand out every picture it holds. False when the block was
  // dropped (not decoding, ring slot full, no memory).
  bool PushPacket(const uint8_t* data, std::size_t length);

  // Blocks dropped for a full ring or lack of memory while decoding, and
  // pictures dropped for a busy slot. Any thread.
  uint64_t droppedBlocks() const { return droppedBlocks_.load(std::memory_order_relaxed); }
  uint64_t droppedPictures() const { return droppedPictures_.load(std::memory_order_relaxed); }
  // Blocks the decoder was not given while it waited for the stream to start.
  uint64_t skippedBlocks() const { return skippedBlocks_.load(std::memory_order_relaxed); }

 private:
  struct BlockSlot {
    std::unique_ptr<uint8_t[]> data;
    std::size_t length = 0;
    // Set by the producer after filling the slot, cleared by the decode
    // thread after emptying it: it hands the slot over.
    std::atomic<bool> full{false};
  };
  struct PictureSlot {
    std::unique_ptr<uint8_t[]> planes;  // Y, U, V, one after the other
    std::size_t capacity = 0;           // of planes
    std::shared_ptr<const void> lent;   // the decoder's own picture, shown in place
    Picture picture;
    std::atomic<bool> busy{false};  // hands the slot between decode and render
  };
  struct RendererEntry {
    PictureRenderer* renderer = nullptr;
    RendererKind kind = RendererKind::Cell;
  };

  void DecodeLoop();
  void TakeBlock(const uint8_t* data, std::size_t length);
  void DecodeBlock(const uint8_t* data, std::size_t length);
  void HandOver(PictureDecoder::Output& out);
  void Publish(PictureSlot& slot);
  void RenderLoop();
  void Dispatch(const Picture& picture);

  const DecoderFactory factory_;
  const int channel_;

  // User-interface thread only.
  int frameWidth_ = kDefaultWidth;
  int frameHeight_ = kDefaultHeight;
  std::thread decodeThread_;
  std::thread renderThread_;

  // Serialises the producer with Start and Stop: a block is never written
  // into a ring that Stop is clearing.
  std::mutex producerMutex_;
  std::atomic<bool> accepting_{false};  // written under producerMutex_
  int ringWrite_ = 0;                   // guarded by producerMutex_

  std::array<BlockSlot, kRingSlots> ring_;
  int ringRead_ = 0;                         // decode thread; reset by Stop after the join
  std::unique_ptr<PictureDecoder> decoder_;  // decode thread while it runs
  StreamStartGate start_;                    // decode thread while it runs
  WakeSignal decodeWake_;

  std::array<PictureSlot, 2> pictures_;
  int pictureWrite_ = 0;  // decode thread; reset by Stop after the joins
  int pictureRead_ = 0;   // render thread; reset by Stop after the join
  WakeSignal renderWake_;

  mutable std::mutex tableMutex_;
  std::condition_variable dispatchDone_;
  std::array<RendererEntry, kRendererSlots> table_;  // guarded by tableMutex_
  // The renderer the render thread is calling outside the lock, if any.
  PictureRenderer* dispatching_ = nullptr;  // guarded by tableMutex_

  std::atomic<uint64_t> droppedBlocks_{0};
  std::atomic<uint64_t> droppedPictures_{0};
  std::atomic<uint64_t> skippedBlocks_{0};
};

}  // namespace qv
