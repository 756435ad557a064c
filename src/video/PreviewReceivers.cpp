#include "video/PreviewReceivers.h"

namespace qv {

PreviewReceivers::PreviewReceivers() {
  for (auto& receiver : receivers_) receiver = std::make_unique<PreviewReceiver>();
}

PreviewReceivers::PreviewReceivers(const DecoderFactory& factory) {
  for (auto& receiver : receivers_) receiver = std::make_unique<PreviewReceiver>(factory);
}

void PreviewReceivers::StopAll() {
  for (auto& receiver : receivers_) receiver->Stop();
}

void PreviewReceivers::PushPreviewBlock(int channel, const uint8_t* data, std::size_t length) {
  if (channel < 0 || channel >= kChannels) return;
  receivers_[static_cast<std::size_t>(channel)]->PushPacket(data, length);
}

}  // namespace qv
