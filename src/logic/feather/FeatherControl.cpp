#include "logic/feather/FeatherControl.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int kPanelX2 = 2;
constexpr int kPanelX2_1 = 3;

bool ValidWindow(int window) {
  return window >= 1 && window <= FeatherControl::kLastWindow;
}

}  // namespace

int FeatherControl::FirstWindow(int mosaicMode, int current) {
  if (mosaicMode == kPanelX2) return 2;
  if (mosaicMode == kPanelX2_1) return 1;
  return current;
}

bool FeatherControl::CanSwitchOn() const {
  const DeviceStatusRecord& r = model().rec;
  const auto on = [&r](int window) { return r.Chnl[window].ChnlOnOff != 0; };
  const bool panels = (r.MosaicMode == kPanelX2 && (on(2) || on(3))) ||
                      (r.MosaicMode == kPanelX2_1 && (on(1) || on(3)));
  const bool keyers =
      std::any_of(std::begin(r.Keyer), std::end(r.Keyer), [](const KeyerInfo& k) {
        return k.KeyerOnOff != 0;
      });
  const bool captions = std::any_of(model().CaptionSlot.begin(), model().CaptionSlot.end(),
                                    [](const auto& slot) { return slot[kCaptionOnByte] != 0; });
  // A logo drawn with a border, or under the picture, cannot be feathered.
  const bool logo = r.LogoUsage == 1 && (r.LogoAux != 0 || r.LogoPos != 0);
  return panels && !keyers && !captions && !logo;
}

bool FeatherControl::Switch(bool on) {
  if (on && !CanSwitchOn()) return false;
  model().FeatherOnOff = on ? 1 : 0;
  Send(kLastWindow);
  return true;
}

void FeatherControl::SetSharp(int window, int sharp) {
  if (!ValidWindow(window) || sharp < 1 || sharp > 5) return;
  model().FeatherSharp[window] = sharp;
  Send(window);
}

void FeatherControl::SetLevel(int window, int level) {
  if (!ValidWindow(window) || level < 0 || level > 3) return;
  model().FeatherLevel[window] = level;
  Send(window);
}

void FeatherControl::Send(int window) {
  encoder_.EncodeAndSend(CommandType::SetFeather, {static_cast<uint8_t>(window)});
}

}  // namespace qv
