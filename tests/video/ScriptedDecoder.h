#pragma once
// A stand-in decoder for receiver tests: it answers by a script the test sets,
// records every call, and can be held inside a call to stall the decode
// thread. Blocks carry a 32-bit id; every picture is filled with the id of
// the block that made it, and stride padding and cropped rows with bytes a
// renderer must never see.
//
// An id block goes on with the NAL unit headers of an IDR picture and its
// parameter sets, so that a receiver hands the decoder the first block it
// gets after a start.

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "video/PictureDecoder.h"

namespace qv::test {

constexpr uint8_t kPaddingByte = 0xEE;
constexpr uint8_t kCroppedByte = 0xCC;
constexpr auto kPatience = std::chrono::seconds(10);

inline std::vector<uint8_t> IdBlock(uint32_t id) {
  std::vector<uint8_t> block(4);
  std::memcpy(block.data(), &id, 4);
  for (const uint8_t header : {0x67, 0x68, 0x65}) block.insert(block.end(), {0, 0, 0, 1, header});
  return block;
}

class DecoderScript {
 public:
  struct Call {
    int decoder;  // which decoder, in the order the factory made them
    int64_t id;   // the block's id; -1 without data
    unsigned flags;
  };

  // What the decoders answer; set before blocks flow.
  int width = 16;
  int height = 8;
  int cropBottom = 0;
  int yStride = 24;
  int uvStride = 16;
  int picturesPerBlock = 1;
  int picturesOnFlush = 0;  // held back until a flush
  bool failAlways = false;
  bool failCreation = false;
  bool lend = false;  // pictures are lent to the caller (Output::keep), not reused

  // Whether every picture lent so far has been let go.
  bool AllLentReturned() const {
    std::lock_guard lock(mutex_);
    return std::all_of(lent_.begin(), lent_.end(), [](const auto& p) { return p.expired(); });
  }
  std::size_t LentCount() const {
    std::lock_guard lock(mutex_);
    return lent_.size();
  }

  DecoderFactory Factory();

  // Closed: the next call waits inside the decoder until it opens.
  void SetGate(bool open) {
    std::lock_guard lock(mutex_);
    gateOpen_ = open;
    changed_.notify_all();
  }
  // Waits until a decoder sits at the closed gate.
  bool WaitUntilHeld() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] { return held_; });
  }
  bool WaitForCalls(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] { return calls_.size() >= count; });
  }
  std::vector<Call> calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  std::vector<int64_t> BlockIds() const {
    std::vector<int64_t> ids;
    for (const Call& c : calls()) {
      if (c.id >= 0) ids.push_back(c.id);
    }
    return ids;
  }
  // The bytes of every block with data, in the order the decoders got them.
  std::vector<std::vector<uint8_t>> blocks() const {
    std::lock_guard lock(mutex_);
    return blocks_;
  }
  std::vector<PictureDecoder::Attributes> attributes() const {
    std::lock_guard lock(mutex_);
    return attributes_;
  }

 private:
  class Decoder;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool gateOpen_ = true;
  bool held_ = false;
  std::vector<Call> calls_;
  std::vector<std::vector<uint8_t>> blocks_;
  std::vector<PictureDecoder::Attributes> attributes_;
  std::vector<std::weak_ptr<const void>> lent_;
};

class DecoderScript::Decoder final : public PictureDecoder {
 public:
  Decoder(DecoderScript& script, int index) : script_(script), index_(index) {}

  Result Frame(const uint8_t* stream, std::size_t length, unsigned flags, Output& out) override {
    DecoderScript& s = script_;
    std::unique_lock lock(s.mutex_);
    s.held_ = !s.gateOpen_;
    s.changed_.notify_all();
    s.changed_.wait(lock, [&] { return s.gateOpen_; });
    s.held_ = false;
    int64_t id = -1;
    if (length >= 4) {
      uint32_t value;
      std::memcpy(&value, stream, 4);
      id = value;
    }
    s.calls_.push_back({index_, id, flags});
    if (length > 0) s.blocks_.emplace_back(stream, stream + length);
    s.changed_.notify_all();
    if (s.failAlways) return Result::Error;
    if (id >= 0) {
      lastId_ = static_cast<uint32_t>(id);
      pending_ += s.picturesPerBlock;
    }
    if ((flags & kFlush) && length == 0 && !flushing_) {
      flushing_ = true;
      pending_ += s.picturesOnFlush;
    }
    if (pending_ > 0) {
      --pending_;
      Fill(s, out);
      return Result::PictureReady;
    }
    if (flushing_) {
      flushing_ = false;
      return Result::NoPicture;
    }
    return Result::NeedMoreData;
  }

 private:
  void Fill(const DecoderScript& s, Output& out) {
    const int chromaRows = (s.height + 1) / 2;
    const int chromaWidth = (s.width + 1) / 2;
    // Room for the last row even where a stride is shorter than the width.
    y_.assign(static_cast<std::size_t>(s.yStride) * s.height + s.width, kPaddingByte);
    u_.assign(static_cast<std::size_t>(s.uvStride) * chromaRows + chromaWidth, kPaddingByte);
    v_ = u_;
    const auto id = static_cast<uint8_t>(lastId_);
    const int visible = s.height - s.cropBottom;
    for (int row = 0; row < s.height; ++row) {
      std::memset(&y_[static_cast<std::size_t>(row) * s.yStride], row < visible ? id : kCroppedByte,
                  static_cast<std::size_t>(s.width));
    }
    for (int row = 0; row < chromaRows; ++row) {
      const uint8_t value = row < (visible + 1) / 2 ? id : kCroppedByte;
      std::memset(&u_[static_cast<std::size_t>(row) * s.uvStride], value, chromaWidth);
      std::memset(&v_[static_cast<std::size_t>(row) * s.uvStride], value, chromaWidth);
    }
    out = {y_.data(), u_.data(), v_.data(), s.width, s.height, s.yStride, s.uvStride, s.cropBottom};
    if (s.lend) {
      // The planes move into the loan, so the next picture cannot touch them.
      auto planes = std::make_shared<std::array<std::vector<uint8_t>, 3>>();
      (*planes)[0].swap(y_);
      (*planes)[1].swap(u_);
      (*planes)[2].swap(v_);
      out.keep = planes;
      script_.lent_.push_back(planes);
    }
  }

  DecoderScript& script_;
  const int index_;
  uint32_t lastId_ = 0;
  int pending_ = 0;
  bool flushing_ = false;
  std::vector<uint8_t> y_, u_, v_;
};

inline DecoderFactory DecoderScript::Factory() {
  return [this](const PictureDecoder::Attributes& attributes) -> std::unique_ptr<PictureDecoder> {
    std::lock_guard lock(mutex_);
    attributes_.push_back(attributes);
    if (failCreation) return nullptr;
    return std::make_unique<Decoder>(*this, static_cast<int>(attributes_.size()) - 1);
  };
}

}  // namespace qv::test
