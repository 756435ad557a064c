#pragma once
// The picture page's rules: the processor's picture modes, and the records
// an adjustment writes. Each window keeps one picture record per input
// source group; an edit goes to the record of the input the window shows,
// or with "ALL" to all twelve records of that window, never to another
// window's. Every change goes out as the window's picture payload.

#include <array>
#include <cstdint>

#include "link/CommandEncoder.h"

namespace qv {

class PictureControl {
 public:
  static constexpr int kUserMode = 7;
  static constexpr int kModeCount = 8;
  static constexpr int kBrightLevelOff = 17;
  static constexpr int kUserColourTemperature = 8;
  static constexpr int kColourTemperatureCount = 9;

  // What the page shows: the model's values in the user mode, a fixed
  // mode's own values otherwise.
  struct Shown {
    int mode = 0;
    int brightLevel = kBrightLevelOff;  // 0..16, 17 off
    double gamma = 0;                   // 0..5.0, 0 off
    int brightness = 50, contrast = 50, saturation = 50, hue = 50, sharpness = 12;
    int colourTemperature = kUserColourTemperature;
    int red = 128, green = 128, blue = 128;
    // Every adjustment is open only in the user mode; the gains only with
    // the user colour temperature.
    bool adjustable = false;
    bool gainsAdjustable = false;
    bool brightOn() const { return brightLevel != kBrightLevelOff; }
    bool gammaOn() const { return gamma != 0; }
  };
  // A record's fields the sliders adjust.
  enum class Field { Brightness, Contrast, Saturation, Hue, Sharpness, Red, Green, Blue };

  explicit PictureControl(CommandEncoder& encoder) : encoder_(encoder) {}

  Shown Show(int window) const;

  // Each of these writes the model and sends window `window`'s picture.
  void ChooseMode(int window, int mode);
  // The bright level and gamma switches: on takes `value` (the slider's).
  void SwitchBrightLevel(int window, bool on, int value);
  void SwitchGamma(int window, bool on, double value);
  void SetBrightLevel(int window, int value);
  void SetGamma(int window, double value);
  void SetField(int window, Field field, int value);
  void ChooseColourTemperature(int window, int temperature);
  // "Reset": the colour back to the user temperature with neutral gains.
  void ResetColour(int window);
  // "Reset Picture Settings": every record of every window to the defaults.
  void ResetPictures(int window);

  // The input-scope button (false) or "ALL" (true). Nothing is sent: the
  // scope travels with the next picture payload.
  void SetAll(int window, bool all);
  bool all(int window) const;

 private:
  DeviceModel& model() const { return encoder_.model(); }
  bool ValidWindow(int window) const { return window >= 0 && window < kWindowCount; }
  void Send(int window);

  CommandEncoder& encoder_;
};

}  // namespace qv
