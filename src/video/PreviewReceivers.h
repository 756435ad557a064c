#pragma once
// The preview receivers of one processor, one per stream channel. The link
// hands every preview block here on its I/O thread; a block for a channel
// outside 0..3, or for a receiver that is not decoding, is dropped.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "link/NotificationSink.h"
#include "video/PictureDecoder.h"
#include "video/PreviewReceiver.h"

namespace qv {

class PreviewReceivers final : public PreviewSink {
 public:
  static constexpr int kChannels = 4;

  // Decoding with H264Decoder.
  PreviewReceivers();
  explicit PreviewReceivers(const DecoderFactory& factory);

  // Channel 0..3.
  PreviewReceiver& Receiver(int channel) {
    return *receivers_.at(static_cast<std::size_t>(channel));
  }
  void StopAll();

  void PushPreviewBlock(int channel, const uint8_t* data, std::size_t length) override;

 private:
  std::array<std::unique_ptr<PreviewReceiver>, kChannels> receivers_;
};

}  // namespace qv
