#include "logic/shell/InputPanelControl.h"

namespace qv {

namespace {

constexpr int32_t kCardVga = 3;
constexpr int kLogoWindow = 3;

}  // namespace

InputPanelControl::Click InputPanelControl::Press(int tile) {
  if (tile < 0 || tile >= kInputCodeCount) return Click::NoTile;
  DeviceModel& m = model();
  if (m.TestPattern != 0) return Click::PatternOn;
  const int current = m.CurrentWindow;
  if (current >= kWindowCount) return Click::NoTile;
  if (m.rec.Chnl[panelWindow_].ChnlInput == tile && current == panelWindow_) {
    return Click::Unchanged;
  }
  // The highlight follows the current window even when its input may not change.
  panelWindow_ = current;
  if (m.rec.PvwMode != 0 && m.rec.PgmState[panelWindow_] != 0) return Click::OnProgram;
  m.rec.Chnl[panelWindow_].ChnlInput = static_cast<uint8_t>(tile);
  SendWindowInput(panelWindow_);
  return Click::Routed;
}

bool InputPanelControl::Follow(int window) {
  if (window == panelWindow_ || window < 0 || window >= kWindowCount) return false;
  panelWindow_ = window;
  return true;
}

void InputPanelControl::SendWindowInput(int window) {
  encoder_.EncodeAndSend(CommandType::SetWindowInput, {static_cast<uint8_t>(window)});
}

bool InputPanelControl::ShowsVgaInput(const DeviceModel& model) {
  for (const ChnlData& chnl : model.rec.Chnl) {
    const int slot = InputCode(chnl.ChnlInput) / 10;
    if (slot < kInputSlotCount && model.rec.InputSrc[slot] == kCardVga) return true;
  }
  return false;
}

InputPanelControl::LayerChange InputPanelControl::SwitchLayer(Row row, int window, bool on) {
  if (window < 1 || window >= kWindowCount) return {};
  DeviceModel& m = model();
  LayerChange change;
  if (window == kLogoWindow) {
    // While window 3 carries the logo, the left switch drives the logo alone,
    // and only when a logo is stored for it.
    if (row == Row::Left && m.rec.LogoUsage == 1) {
      change.logo = m.rec.LogoValid[kLogoWindow] != 0;
      return change;
    }
    change.logo = true;
  }
  m.rec.Chnl[window].ChnlOnOff = on ? 1 : 0;
  encoder_.EncodeAndSend(CommandType::SetWindowState, {static_cast<uint8_t>(window - 1)});
  change.window = true;
  return change;
}

bool InputPanelControl::LayerState(const DeviceModel& model, int window) {
  if (window < 1 || window >= kWindowCount) return false;
  if (window == kLogoWindow && model.rec.LogoUsage == 1) return model.rec.LogoOnOff != 0;
  return model.rec.Chnl[window].ChnlOnOff != 0;
}

void InputPanelControl::LoadDisplayNames() {
  for (int i = 0; i < kInputCodeCount; ++i) {
    model().InputLabels[i].displayName = settings_.InputRemark(i);
  }
}

std::string InputPanelControl::Rename(int tile, const std::string& name) {
  if (tile < 0 || tile >= kInputCodeCount) return {};
  model().InputLabels[tile].displayName = name;
  return settings_.SetInputRemark(tile, name);
}

}  // namespace qv
