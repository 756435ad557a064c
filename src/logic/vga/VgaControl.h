#pragma once
// The VGA adjustment page's rules: which input it adjusts, and what each of
// its operations sends. The page adjusts an analogue input a window shows:
// the one that most recently came to a window, else window 0's. The
// converter's offsets and gains are only reached with the unlock code, and
// only for the input the main window (window 0) shows.

#include <vector>

#include "link/CommandEncoder.h"

namespace qv {

class VgaControl {
 public:
  static constexpr int kUnlockCode = 4936;
  static constexpr int32_t kAnalogueCard = 3;

  explicit VgaControl(CommandEncoder& encoder) : encoder_(encoder) {}

  // The input slot (0..7) window `window` shows; -1 for none (a window or an
  // input code the processor does not have).
  static int SlotOf(const DeviceModel& model, int window);
  static bool IsAnalogue(const DeviceModel& model, int slot);

  // Window `window` shows a new input: when it is analogue, the page adjusts
  // it from now on and reads its settings. True when it did.
  bool Follow(int window);
  // After a whole read: window 0's input, else the first window's that is
  // analogue. True when one was.
  bool FollowAny();
  // The unlock box takes a code only while window 0 shows the input adjusted.
  bool Unlockable() const;
  static bool Unlocks(int code) { return code == kUnlockCode; }
  // The slot adjusted.
  int target() const { return model().Vga.VgaTarget; }

  // What a committed field sends, the model holding the fields: the display
  // fields (clock, phase, position) or the converter's offsets and gains.
  static std::vector<uint8_t> DisplayArguments() { return {kDisplay, kSet}; }
  static std::vector<uint8_t> ConverterArguments() { return {kConverter, kSet}; }
  void AutoAdjust();
  void Calibrate();
  // "Rest": the converter's factory values, read back.
  void ResetConverter();
  void SetDdc(bool on);

 private:
  enum Group : uint8_t { kDisplay = 0, kConverter = 1, kDdc = 2 };
  enum Action : uint8_t { kSet = 0, kAutomatic = 1, kReset = 2 };

  DeviceModel& model() const { return encoder_.model(); }
  void Send(uint8_t group, uint8_t action);
  void Query();

  CommandEncoder& encoder_;
};

}  // namespace qv
