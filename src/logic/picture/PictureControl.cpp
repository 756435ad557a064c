#include "logic/picture/PictureControl.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// What the processor applies in each fixed mode: bright level, gamma x 10,
// brightness, contrast, saturation, hue, sharpness, red, green, blue.
constexpr std::array<std::array<uint8_t, 10>, PictureControl::kUserMode> kModes = {{
    {17, 0, 50, 50, 50, 50, 12, 128, 128, 128},   // " Standard "
    {8, 0, 50, 50, 50, 50, 12, 128, 128, 128},    // " Low Light1 "
    {8, 8, 50, 50, 50, 50, 12, 128, 128, 128},    // " Low Light2 "
    {8, 15, 50, 50, 50, 50, 12, 128, 128, 128},   // " Low Light3 "
    {17, 0, 48, 52, 55, 50, 12, 128, 128, 128},   // " Video "
    {17, 0, 48, 52, 45, 50, 12, 128, 128, 128},   // " Graphic "
    {17, 0, 50, 50, 0, 50, 12, 128, 128, 128},    // " Monochrome "
}};

PictureSettings Defaults() {
  PictureSettings p{};
  p.Brightness = p.Contrast = p.Saturation = p.Hue = 50;
  p.Sharpness = 12;
  p.ColorTemp = PictureControl::kUserColourTemperature;
  p.ColorRed = p.ColorGreen = p.ColorBlue = 128;
  return p;
}

uint8_t& FieldOf(PictureSettings& p, PictureControl::Field field) {
  using F = PictureControl::Field;
  switch (field) {
    case F::Brightness:
      return p.Brightness;
    case F::Contrast:
      return p.Contrast;
    case F::Saturation:
      return p.Saturation;
    case F::Hue:
      return p.Hue;
    case F::Sharpness:
      return p.Sharpness;
    case F::Red:
      return p.ColorRed;
    case F::Green:
      return p.ColorGreen;
    case F::Blue:
      break;
  }
  return p.ColorBlue;
}

int MaximumOf(PictureControl::Field field) {
  using F = PictureControl::Field;
  switch (field) {
    case F::Sharpness:
      return 24;
    case F::Red:
    case F::Green:
    case F::Blue:
      return 255;
    default:
      return 100;
  }
}

}  // namespace

PictureControl::Shown PictureControl::Show(int window) const {
  const DeviceStatusRecord& r = model().rec;
  Shown s;
  // A mode from the wire outside the list is shown as the user mode, whose
  // values are the processor's own.
  s.mode = r.PicMode >= 0 && r.PicMode < kModeCount ? r.PicMode : kUserMode;
  if (s.mode == kUserMode) {
    const PictureSettings& p = r.Picture[model().PictureRecordOf(ValidWindow(window) ? window : 0)];
    s.brightLevel = std::clamp(r.BrightLevel, 0, kBrightLevelOff);
    s.gamma = std::isfinite(r.Gamma) ? std::clamp(static_cast<double>(r.Gamma), 0.0, 5.0) : 0.0;
    s.brightness = p.Brightness;
    s.contrast = p.Contrast;
    s.saturation = p.Saturation;
    s.hue = p.Hue;
    s.sharpness = p.Sharpness;
    s.colourTemperature = p.ColorTemp >= 0 && p.ColorTemp < kColourTemperatureCount
                              ? p.ColorTemp
                              : kUserColourTemperature;
    s.red = p.ColorRed;
    s.green = p.ColorGreen;
    s.blue = p.ColorBlue;
    s.adjustable = true;
    s.gainsAdjustable = s.colourTemperature == kUserColourTemperature;
    return s;
  }
  const auto& row = kModes[static_cast<std::size_t>(s.mode)];
  s.brightLevel = row[0];
  s.gamma = row[1] / 10.0;
  s.brightness = row[2];
  s.contrast = row[3];
  s.saturation = row[4];
  s.hue = row[5];
  s.sharpness = row[6];
  s.red = row[7];
  s.green = row[8];
  s.blue = row[9];
  return s;
}

void PictureControl::Send(int window) {
  encoder_.EncodeAndSend(CommandType::SetPictureSettings, {static_cast<uint8_t>(window)});
}

void PictureControl::ChooseMode(int window, int mode) {
  if (!ValidWindow(window) || mode < 0 || mode >= kModeCount) return;
  model().rec.PicMode = mode;
  Send(window);
}

void PictureControl::SwitchBrightLevel(int window, bool on, int value) {
  if (!ValidWindow(window)) return;
  model().rec.PicMode = kUserMode;
  model().rec.BrightLevel = on ? std::clamp(value, 0, kBrightLevelOff - 1) : kBrightLevelOff;
  Send(window);
}

void PictureControl::SwitchGamma(int window, bool on, double value) {
  if (!ValidWindow(window)) return;
  model().rec.PicMode = kUserMode;
  model().rec.Gamma = on ? static_cast<float>(std::clamp(value, 0.0, 5.0)) : 0.0f;
  Send(window);
}

void PictureControl::SetBrightLevel(int window, int value) {
  SwitchBrightLevel(window, true, value);
}

void PictureControl::SetGamma(int window, double value) {
  SwitchGamma(window, true, value);
}

void PictureControl::SetField(int window, Field field, int value) {
  if (!ValidWindow(window)) return;
  const auto v = static_cast<uint8_t>(std::clamp(value, 0, MaximumOf(field)));
  DeviceStatusRecord& r = model().rec;
  if (all(window)) {
    for (int g = 0; g < kSourceGroupCount; ++g) FieldOf(r.Picture[window + kWindowCount * g], field) = v;
  } else {
    FieldOf(r.Picture[model().PictureRecordOf(window)], field) = v;
  }
  Send(window);
}

void PictureControl::ChooseColourTemperature(int window, int temperature) {
  if (!ValidWindow(window) || temperature < 0 || temperature >= kColourTemperatureCount) return;
  model().rec.PicMode = kUserMode;
  model().rec.Picture[model().PictureRecordOf(window)].ColorTemp = temperature;
  Send(window);
}

void PictureControl::ResetColour(int window) {
  if (!ValidWindow(window)) return;
  model().PicFlagA = 1;
  Send(window);
  encoder_.EncodeAndSend(CommandType::PictureCommand, {static_cast<uint8_t>(window)});
}

void PictureControl::ResetPictures(int window) {
  if (!ValidWindow(window)) return;
  for (PictureSettings& p : model().rec.Picture) p = Defaults();
  model().PicFlagB = 0;
  Send(window);
  encoder_.EncodeAndSend(CommandType::PictureCommand, {static_cast<uint8_t>(window)});
}

void PictureControl::SetAll(int window, bool all) {
  if (ValidWindow(window)) model().WindowPicByte[window] = all ? 1 : 0;
}

bool PictureControl::all(int window) const {
  return ValidWindow(window) && model().WindowPicByte[window] == 1;
}

}  // namespace qv
