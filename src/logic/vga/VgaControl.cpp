#include "logic/vga/VgaControl.h"

namespace qv {

int VgaControl::SlotOf(const DeviceModel& model, int window) {
  if (window < 0 || window >= kWindowCount) return -1;
  // Both halves of a split input are the whole input.
  const int slot = InputCode(model.rec.Chnl[window].ChnlInput) / 10;
  return slot < kInputSlotCount ? slot : -1;
}

bool VgaControl::IsAnalogue(const DeviceModel& model, int slot) {
  return slot >= 0 && slot < kInputSlotCount && model.rec.InputSrc[slot] == kAnalogueCard;
}

bool VgaControl::Follow(int window) {
  const int slot = SlotOf(model(), window);
  if (!IsAnalogue(model(), slot)) return false;
  model().Vga.VgaTarget = static_cast<uint8_t>(slot);
  Query();
  return true;
}

bool VgaControl::FollowAny() {
  for (int window = 0; window < kWindowCount; ++window) {
    if (Follow(window)) return true;
  }
  return false;
}

bool VgaControl::Unlockable() const {
  const int slot = SlotOf(model(), 0);
  return IsAnalogue(model(), slot) && slot == target();
}

void VgaControl::AutoAdjust() {
  Send(kDisplay, kAutomatic);
  Query();
}

void VgaControl::Calibrate() {
  Send(kConverter, kAutomatic);
}

void VgaControl::ResetConverter() {
  Send(kConverter, kReset);
  // The input adjusted, not slot 0: the answer names the slot the page
  // adjusts from then on.
  Query();
}

void VgaControl::SetDdc(bool on) {
  Send(kDdc, on ? 1 : 0);
}

void VgaControl::Send(uint8_t group, uint8_t action) {
  encoder_.EncodeAndSend(CommandType::SetVgaAdjust, {group, action});
}

void VgaControl::Query() {
  encoder_.EncodeAndSend(CommandType::QueryVgaAdjust, {model().Vga.VgaTarget});
}

}  // namespace qv
