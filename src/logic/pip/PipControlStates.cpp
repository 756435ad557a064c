#include "logic/pip/PipControlStates.h"

#include "logic/windows/WindowButtonLabels.h"

namespace qv {

namespace {

constexpr int kLogoPip = 2;

bool On(const DeviceModel& model, int pip) {
  return model.rec.Chnl[pip + 1].ChnlOnOff != 0;
}
bool OnProgram(const DeviceModel& model, int pip) {
  return model.rec.PgmState[pip + 1] != 0;
}
bool CarriesLogo(const DeviceModel& model) {
  return model.rec.LogoUsage == 1;
}
std::string PlainCaption(int pip) {
  return "PIP-" + std::to_string(pip + 1);
}

// Whatever the mode: the logo's window keeps its input.
PipControlStates::Pips WithLogo(PipControlStates::Pips pips, const DeviceModel& model) {
  if (CarriesLogo(model)) pips[kLogoPip].inputEnabled = false;
  return pips;
}

}  // namespace

PipControlStates::Pips PipControlStates::Initial() {
  Pips pips;
  for (int i = 0; i < kPipCount; ++i) pips[i].caption = PlainCaption(i);
  return pips;
}

PipControlStates::Pips PipControlStates::Reload(const Pips& now, const DeviceModel& model) {
  Pips pips = now;
  for (int i = 0; i < kPipCount; ++i) {
    Pip& pip = pips[i];
    pip.on = On(model, i);
    pip.alphaEnabled = pip.inputEnabled = pip.on;
  }
  return ForMode(pips, model);
}

PipControlStates::Pips PipControlStates::ForMode(const Pips& now, const DeviceModel& model) {
  Pips pips = now;
  switch (model.rec.PvwMode) {
    case 1: {
      Pip& first = pips[0];
      first.toggleEnabled = first.alphaEnabled = false;
      if (OnProgram(model, 0)) {
        first.inputEnabled = false;
        first.caption = "PGM";
      } else if (model.rec.PvwState[1] != 0) {
        first.inputEnabled = true;
        first.caption = "PVW";
      }
      for (int i = 1; i < kPipCount; ++i) {
        pips[i].toggleEnabled = !OnProgram(model, i);
        pips[i].inputEnabled = !OnProgram(model, i) && On(model, i);
      }
      break;
    }
    case 2: {
      // Two panels: each PIP is a panel's program or preview picture, named
      // as the other pages name it.
      WindowButtonLabels::Buttons buttons = WindowButtonLabels::Plain();
      for (int i = 0; i < kPipCount; ++i) buttons[i + 1].label = pips[i].caption;
      int chosen = 0;
      buttons = WindowButtonLabels::Relabel(buttons, model.rec, &chosen);
      for (int i = 0; i < kPipCount; ++i) {
        Pip& pip = pips[i];
        pip.caption = buttons[i + 1].label;
        pip.toggleEnabled = !OnProgram(model, i);
        pip.alphaEnabled = pip.inputEnabled = !OnProgram(model, i) && On(model, i);
      }
      break;
    }
    default:
      for (int i = 0; i < kPipCount; ++i) {
        Pip& pip = pips[i];
        pip.caption = PlainCaption(i);
        pip.on = On(model, i);
        pip.toggleEnabled = true;
        pip.alphaEnabled = pip.inputEnabled = pip.on;
      }
      break;
  }
  return WithLogo(std::move(pips), model);
}

bool PipControlStates::ToggleRefused(const DeviceModel& model, int pip) {
  return pip == kLogoPip && CarriesLogo(model);
}

}  // namespace qv
