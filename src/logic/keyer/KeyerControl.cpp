#include "logic/keyer/KeyerControl.h"

#include <algorithm>
#include <vector>

namespace qv {

namespace {

// Red, green and blue limits take 0..255, the gains in and out 0..64.
constexpr KeyerControl::Values kMaximum = {255, 255, 255, 255, 255, 255, 64, 64, 255};

uint8_t Held(int value, int maximum) {
  return static_cast<uint8_t>(std::clamp(value, 0, maximum));
}

}  // namespace

const KeyerInfo& KeyerControl::Record(Keyer keyer) const {
  return model().rec.Keyer[static_cast<int>(keyer)];
}

KeyerInfo& KeyerControl::RecordOf(Keyer keyer) {
  return model().rec.Keyer[static_cast<int>(keyer)];
}

int KeyerControl::Mode(Keyer keyer) const {
  const int mode = Record(keyer).KeyerMode;
  return mode >= 0 && mode < kModeCount ? mode : kUserMode;
}

KeyerControl::Values KeyerControl::ValuesOf(Keyer keyer) const {
  const KeyerInfo& k = Record(keyer);
  return {k.KeyerRedL,   k.KeyerRedH,   k.KeyerGreenL, k.KeyerGreenH, k.KeyerBlueL,
          k.KeyerBlueH,  k.KeyerGainIn, k.KeyerGainOut, k.KeyerGainBnd};
}

void KeyerControl::Send(Keyer keyer) {
  // The channel travels as the last of the command's 32 argument bytes.
  std::vector<uint8_t> args(32, 0);
  args.back() = static_cast<uint8_t>(ChannelOf(keyer));
  encoder_.EncodeAndSend(static_cast<int>(CommandType::SetKeyer), args);
}

void KeyerControl::Query(Keyer keyer) {
  encoder_.EncodeAndSend(CommandType::QueryKeyer, {static_cast<uint8_t>(ChannelOf(keyer))});
}

bool KeyerControl::Switch(Keyer keyer, bool on) {
  if (on && model().rec.Chnl[WindowOf(keyer)].ChnlOnOff == 0) return false;
  RecordOf(keyer).KeyerOnOff = on ? 1 : 0;
  Send(keyer);
  return true;
}

void KeyerControl::ChooseMode(Keyer keyer, int mode) {
  if (mode < 0 || mode >= kModeCount) return;
  RecordOf(keyer).KeyerMode = mode;
  Send(keyer);
}

void KeyerControl::SetValues(Keyer keyer, const Values& v) {
  KeyerInfo& k = RecordOf(keyer);
  uint8_t* fields[] = {&k.KeyerRedL,   &k.KeyerRedH,   &k.KeyerGreenL,
                       &k.KeyerGreenH, &k.KeyerBlueL,  &k.KeyerBlueH,
                       &k.KeyerGainIn, &k.KeyerGainOut, &k.KeyerGainBnd};
  for (std::size_t i = 0; i < v.size(); ++i) *fields[i] = Held(v[i], kMaximum[i]);
  Send(keyer);
}

void KeyerControl::Reset(Keyer keyer) {
  KeyerInfo& k = RecordOf(keyer);
  k.KeyerMode = kUserMode;
  k.KeyerRedL = k.KeyerGreenL = k.KeyerBlueL = 0;
  k.KeyerRedH = k.KeyerGreenH = k.KeyerBlueH = 255;
  Send(keyer);
}

}  // namespace qv
