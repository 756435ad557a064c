#include "video/PreviewReceivers.h"

namespace qv {

PreviewReceivers::PreviewReceivers() {
  for (int channel = 0; channel < kChannels; ++channel) {
    receivers_[static_cast<std::size_t>(channel)] = std::make_unique<PreviewReceiver>(channel);
  }
}

PreviewReceivers::PreviewReceivers(const DecoderFactory& factory) {
  for (int channel = 0; channel < kChannels; ++channel) {
    receivers_[static_cast<std::size_t>(channel)] =
        std::make_unique<PreviewReceiver>(factory, channel);
  }
}

void PreviewReceivers::StopAll() {
  for (auto& receiver : receivers_) receiver->Stop();
}

void PreviewReceivers::PushPreviewBlock(int channel, const uint8_t* data, std::size_t length) {
  if (channel < 0 || channel >= kChannels) return;
  receivers_[static_cast<std::size_t>(channel)]->PushPacket(data, length);
}

}  // namespace qv
