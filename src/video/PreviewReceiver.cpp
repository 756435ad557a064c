#include "video/PreviewReceiver.h"

#include <cstring>
#include <new>
#include <string>

#include "base/ThreadName.h"
#include "video/H264Decoder.h"

namespace qv {

namespace {

void CopyRows(uint8_t* to, const uint8_t* from, int stride, int width, int rows) {
  for (int row = 0; row < rows; ++row) {
    std::memcpy(to + static_cast<std::size_t>(row) * width,
                from + static_cast<std::ptrdiff_t>(row) * stride, static_cast<std::size_t>(width));
  }
}

}  // namespace

PreviewReceiver::PreviewReceiver(int channel)
    : PreviewReceiver(
          [](const PictureDecoder::Attributes& attributes) {
            return std::unique_ptr<PictureDecoder>(H264Decoder::Create(attributes));
          },
          channel) {}

PreviewReceiver::PreviewReceiver(DecoderFactory factory, int channel)
    : factory_(std::move(factory)), channel_(channel) {}

PreviewReceiver::~PreviewReceiver() {
  Stop();
}

bool PreviewReceiver::SetFrameSize(int width, int height) {
  if (width <= 0 || height <= 0 || decodeThread_.joinable()) return false;
  frameWidth_ = width;
  frameHeight_ = height;
  return true;
}

bool PreviewReceiver::Start() {
  if (!decodeThread_.joinable()) {
    decoder_ = factory_(PictureDecoder::Attributes::ForFrame(frameWidth_, frameHeight_));
    if (decoder_) {
      start_.Reset();
      decodeWake_.Reset();
      decodeThread_ = std::thread(&PreviewReceiver::DecodeLoop, this);
      std::lock_guard lock(producerMutex_);
      accepting_.store(true, std::memory_order_release);
    }
  }
  if (!renderThread_.joinable()) {
    renderWake_.Reset();
    renderThread_ = std::thread(&PreviewReceiver::RenderLoop, this);
  }
  return decodeThread_.joinable();
}

void PreviewReceiver::Stop() {
  if (decodeThread_.joinable()) {
    // The stop is asked for before blocks are refused: whoever sees
    // IsDecoding() turn false knows the decode thread will take no new block.
    decodeWake_.RequestStop();
    {
      std::lock_guard lock(producerMutex_);
      accepting_.store(false, std::memory_order_release);
    }
    decodeThread_.join();
    {
      std::lock_guard lock(producerMutex_);
      for (BlockSlot& slot : ring_) {
        slot.data.reset();
        slot.length = 0;
        slot.full.store(false, std::memory_order_relaxed);
      }
      ringWrite_ = 0;
    }
    ringRead_ = 0;
    decoder_.reset();
  }
  {
    std::lock_guard lock(tableMutex_);
    table_.fill({});
  }
  if (renderThread_.joinable()) {
    renderWake_.RequestStop();
    renderThread_.join();
  }
  for (PictureSlot& slot : pictures_) {
    slot.planes.reset();
    slot.capacity = 0;
    slot.lent.reset();
    slot.picture = {};
    slot.busy.store(false, std::memory_order_relaxed);
  }
  pictureWrite_ = 0;
  pictureRead_ = 0;
}

bool PreviewReceiver::Register(PictureRenderer& renderer, RendererKind kind) {
  std::lock_guard lock(tableMutex_);
  RendererEntry* empty = nullptr;
  for (RendererEntry& entry : table_) {
    if (entry.renderer == &renderer) return true;
    if (!entry.renderer && !empty) empty = &entry;
  }
  if (!empty) return false;
  *empty = {&renderer, kind};
  return true;
}

void PreviewReceiver::Withdraw(PictureRenderer& renderer) {
  std::unique_lock lock(tableMutex_);
  for (RendererEntry& entry : table_) {
    if (entry.renderer == &renderer) entry = {};
  }
  dispatchDone_.wait(lock, [&] { return dispatching_ != &renderer; });
}

std::optional<PreviewReceiver::RendererKind> PreviewReceiver::KindOf(
    const PictureRenderer& renderer) const {
  std::lock_guard lock(tableMutex_);
  for (const RendererEntry& entry : table_) {
    if (entry.renderer == &renderer) return entry.kind;
  }
  return std::nullopt;
}

bool PreviewReceiver::PushPacket(const uint8_t* data, std::size_t length) {
  {
    std::lock_guard lock(producerMutex_);
    if (!accepting_.load(std::memory_order_relaxed)) return false;
    BlockSlot& slot = ring_[ringWrite_];
    if (slot.full.load(std::memory_order_acquire) || (length > 0 && !data)) {
      droppedBlocks_.fetch_add(1, std::memory_order_relaxed);
      return false;
    }
    if (length > 0) {
      slot.data.reset(new (std::nothrow) uint8_t[length]);
      if (!slot.data) {
        droppedBlocks_.fetch_add(1, std::memory_order_relaxed);
        return false;
      }
      std::memcpy(slot.data.get(), data, length);
    }
    slot.length = length;
    slot.full.store(true, std::memory_order_release);
    ringWrite_ = (ringWrite_ + 1) % kRingSlots;
  }
  decodeWake_.Notify();
  return true;
}

void PreviewReceiver::DecodeLoop() {
  SetCurrentThreadName("qv-decode-" + std::to_string(channel_));
  do {
    while (!decodeWake_.StopRequested()) {
      BlockSlot& slot = ring_[ringRead_];
      if (!slot.full.load(std::memory_order_acquire)) break;
      TakeBlock(slot.data.get(), slot.length);
      slot.data.reset();
      slot.length = 0;
      slot.full.store(false, std::memory_order_release);
      ringRead_ = (ringRead_ + 1) % kRingSlots;
    }
  } while (decodeWake_.Wait());
}

void PreviewReceiver::TakeBlock(const uint8_t* data, std::size_t length) {
  if (length == 0) {
    // Stream after a flush is decoded afresh, so it too must start at an IDR picture.
    DecodeBlock(nullptr, 0);
    start_.Reset();
  } else if (start_.Admit(data, length)) {
    DecodeBlock(data, length);
  } else {
    skippedBlocks_.fetch_add(1, std::memory_order_relaxed);
  }
}

void PreviewReceiver::DecodeBlock(const uint8_t* data, std::size_t length) {
  const unsigned flags = length == 0 ? PictureDecoder::kFlush : 0;
  PictureDecoder::Output out;
  // Only a picture asks for another call: an error result ends the block
  // however often the decoder would repeat it.
  PictureDecoder::Result result = decoder_->Frame(data, length, flags, out);
  while (result == PictureDecoder::Result::PictureReady) {
    HandOver(out);
    result = decoder_->Frame(nullptr, 0, flags, out);
  }
}

void PreviewReceiver::HandOver(PictureDecoder::Output& out) {
  PictureSlot& slot = pictures_[pictureWrite_];
  const int width = out.width;
  const int height = out.height - out.cropBottom;
  if (slot.busy.load(std::memory_order_acquire) || width <= 0 || height <= 0 ||
      out.cropBottom < 0 || out.yStride < width || out.uvStride < (width + 1) / 2) {
    droppedPictures_.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  if (out.keep) {
    // The decoder lends its picture: renderers read it in place, and the
    // decode thread goes on to the next block without copying.
    slot.lent = std::move(out.keep);
    slot.picture = {out.y, out.u, out.v, width, height, out.yStride, out.uvStride};
    Publish(slot);
    return;
  }
  // Copied rows are packed to the picture's width: renderers get no stride
  // padding and nothing from below the visible rows.
  const int chromaWidth = (width + 1) / 2;
  const int chromaHeight = (height + 1) / 2;
  const std::size_t lumaSize = static_cast<std::size_t>(width) * height;
  const std::size_t chromaSize = static_cast<std::size_t>(chromaWidth) * chromaHeight;
  // A slot keeps its buffer from picture to picture: no allocation on the
  // decode thread and no freeing on the render thread while pictures flow.
  const std::size_t size = lumaSize + 2 * chromaSize;
  if (size > slot.capacity) {
    slot.planes.reset(new (std::nothrow) uint8_t[size]);
    slot.capacity = slot.planes ? size : 0;
    if (!slot.planes) {
      droppedPictures_.fetch_add(1, std::memory_order_relaxed);
      return;
    }
  }
  uint8_t* y = slot.planes.get();
  uint8_t* u = y + lumaSize;
  uint8_t* v = u + chromaSize;
  CopyRows(y, out.y, out.yStride, width, height);
  CopyRows(u, out.u, out.uvStride, chromaWidth, chromaHeight);
  CopyRows(v, out.v, out.uvStride, chromaWidth, chromaHeight);
  slot.picture = {y, u, v, width, height, width, chromaWidth};
  Publish(slot);
}

void PreviewReceiver::Publish(PictureSlot& slot) {
  slot.busy.store(true, std::memory_order_release);
  pictureWrite_ ^= 1;
  renderWake_.Notify();
}

void PreviewReceiver::RenderLoop() {
  SetCurrentThreadName("qv-render-" + std::to_string(channel_));
  do {
    while (!renderWake_.StopRequested()) {
      PictureSlot& slot = pictures_[pictureRead_];
      if (!slot.busy.load(std::memory_order_acquire)) break;
      Dispatch(slot.picture);
      slot.lent.reset();
      slot.busy.store(false, std::memory_order_release);
      pictureRead_ ^= 1;
    }
  } while (renderWake_.Wait());
}

void PreviewReceiver::Dispatch(const Picture& picture) {
  // The table lock is not held during a call, so a renderer taking its own
  // lock cannot deadlock with registration; Withdraw waits on dispatching_.
  std::unique_lock lock(tableMutex_);
  for (const RendererEntry& entry : table_) {
    PictureRenderer* renderer = entry.renderer;
    if (!renderer) continue;
    dispatching_ = renderer;
    lock.unlock();
    renderer->RenderPicture(picture);
    lock.lock();
    dispatching_ = nullptr;
    dispatchDone_.notify_all();
  }
}

}  // namespace qv
