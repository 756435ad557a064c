#include "logic/output/OutputControl.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

bool InTable(const DeviceModel& model, int i) {
  return i >= 0 && i < static_cast<int>(model.ResoPresets.size()) && i <= OutputControl::kCustomised;
}

}  // namespace

int OutputControl::ShownResolution() const {
  const int i = model().rec.ResoIndex;
  return InTable(model(), i) ? i : kCustomised;
}

OutputTimingLimits::Active OutputControl::EntryOf(int i) const {
  const std::vector<ResoPreset>& table = model().ResoPresets;
  if (!InTable(model(), i)) i = kCustomised;
  if (!InTable(model(), i)) return {};
  const ResoPreset& entry = table[static_cast<std::size_t>(i)];
  return {entry.width, entry.height, entry.rate / 100.0};
}

bool OutputControl::SelectResolution(int i, bool send) {
  if (!InTable(model(), i)) return false;
  if (i == kCustomised) return true;
  DeviceStatusRecord& r = model().rec;
  const ResoPreset& entry = model().ResoPresets[static_cast<std::size_t>(i)];
  r.ResoIndex = i;
  r.HReso = entry.width;
  r.VReso = entry.height;
  r.Fps = entry.rate;
  if (!send) return true;
  SendTiming();
  if (r.LogoUsage == 1) encoder_.EncodeAndSend(CommandType::Request58);
  encoder_.EncodeAndSend(CommandType::CaptionQuery, {0});
  return true;
}

void OutputControl::SendTiming() {
  encoder_.EncodeAndSend(CommandType::SetOutputTiming);
  for (uint8_t k = 0; k < kWindowCount; ++k) {
    encoder_.EncodeAndSend(CommandType::QueryWindowGeometry, {k});
  }
  if (model().rec.PvwMode != 0) encoder_.EncodeAndSend(CommandType::Request60);
}

void OutputControl::KeepCustomisedEntry() {
  const DeviceStatusRecord& r = model().rec;
  if (r.ResoIndex != kCustomised || !InTable(model(), kCustomised)) return;
  ResoPreset& entry = model().ResoPresets[kCustomised];
  entry.width = r.HReso;
  entry.height = r.VReso;
  entry.rate = r.Fps;
}

void OutputControl::Apply(const Customised& c) {
  DeviceStatusRecord& r = model().rec;
  r.ResoIndex = kCustomised;
  r.HReso = static_cast<uint16_t>(c.active.h);
  r.VReso = static_cast<uint16_t>(c.active.v);
  // The field holds two decimals; 59.94 x 100 is 5993.9999... in binary.
  r.Fps = static_cast<uint16_t>(std::trunc(c.active.fps * 100.0 + 1e-6));
  if (InTable(model(), kCustomised)) {
    ResoPreset& entry = model().ResoPresets[kCustomised];
    entry.width = r.HReso;
    entry.height = r.VReso;
    entry.rate = r.Fps;
  }
  r.HTotal = static_cast<uint16_t>(c.timing.hTotal);
  r.VTotal = static_cast<uint16_t>(c.timing.vTotal);
  r.HSync = static_cast<uint16_t>(c.timing.hSync);
  r.VSync = static_cast<uint16_t>(c.timing.vSync);
  r.Hbp = static_cast<uint16_t>(c.timing.hbp);
  r.Vbp = static_cast<uint16_t>(c.timing.vbp);
  r.HPol = static_cast<uint8_t>(c.hPol);
  r.VPol = static_cast<uint8_t>(c.vPol);
  model().OutputAux = c.more ? 1 : 0;
  SendTiming();
}

int OutputControl::SetWindowField(int k, WindowField field, int value, int hActive, int vActive) {
  if (!ValidWindow(k)) return value;
  ChnlData& ch = model().rec.Chnl[k];
  // A window as wide as the output or wider starts at its left edge, and
  // one starting at the right edge is still a pixel wide.
  switch (field) {
    case WindowField::HStart:
      ch.HPos = value = std::clamp(value, 0, std::max(0, hActive - ch.HAct));
      break;
    case WindowField::VStart:
      ch.VPos = value = std::clamp(value, 0, std::max(0, vActive - ch.VAct));
      break;
    case WindowField::Width:
      ch.HAct = value = std::min(value, std::max(1, hActive - ch.HPos));
      break;
    case WindowField::Height:
      ch.VAct = value = std::min(value, std::max(1, vActive - ch.VPos));
      break;
  }
  SendGeometry(k);
  return value;
}

bool OutputControl::SizeWindow(int k, WindowSize size) {
  const DeviceStatusRecord& r = model().rec;
  if (!ValidWindow(k) || r.HReso == 0 || r.VReso == 0) return false;
  ChnlData& ch = model().rec.Chnl[k];
  const int halfWidth = static_cast<int>(r.HReso * 0.5 + 0.5);
  const int halfHeight = static_cast<int>(r.VReso * 0.5 + 0.5);
  switch (size) {
    case WindowSize::Full:
      ch.HPos = ch.VPos = 0;
      ch.HAct = r.HReso;
      ch.VAct = r.VReso;
      // The processor takes this window's geometry as a whole-screen one.
      model().WindowGeomOneShot[k] = 1;
      break;
    case WindowSize::Half:
      // The half the window is in: the right one only when it starts there.
      ch.HPos = ch.HPos > halfWidth ? halfWidth : 0;
      ch.VPos = 0;
      ch.HAct = halfWidth;
      ch.VAct = r.VReso;
      break;
    case WindowSize::Quarter:
      ch.HPos = ch.HPos > halfWidth ? halfWidth : 0;
      ch.VPos = ch.VPos > halfHeight ? halfHeight : 0;
      ch.HAct = halfWidth;
      ch.VAct = halfHeight;
      break;
  }
  SendGeometry(k);
  return true;
}

bool OutputControl::SetRotation(int k, int rotation) {
  if (!ValidWindow(k) || rotation < 0 || rotation >= kRotationCount) return false;
  ChnlData& ch = model().rec.Chnl[k];
  if (ch.ChnlRotation == rotation) return false;
  ch.ChnlRotation = rotation;
  SendGeometry(k);
  return true;
}

void OutputControl::SendGeometry(int k) {
  encoder_.EncodeAndSend(CommandType::SetWindowGeometry, {static_cast<uint8_t>(k)});
}

}  // namespace qv
