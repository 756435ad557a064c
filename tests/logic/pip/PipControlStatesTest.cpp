#include "logic/pip/PipControlStates.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qv {

void PrintTo(const PipControlStates::Pip& p, std::ostream* os) {
  *os << "{" << p.caption << (p.on ? " on" : " off") << " toggle " << p.toggleEnabled << " alpha "
      << p.alphaEnabled << " input " << p.inputEnabled << "}";
}

namespace {

using Pip = PipControlStates::Pip;
using Pips = PipControlStates::Pips;

struct Windows {
  std::array<uint8_t, 3> on{};   // ChnlOnOff of windows 1..3
  std::array<uint8_t, 4> pgm{};  // PgmState
  std::array<uint8_t, 4> pvw{};  // PvwState
};

DeviceModel ModelOf(int mode, const Windows& w, int logoUsage = 0) {
  DeviceModel m;
  m.rec.PvwMode = mode;
  m.rec.LogoUsage = static_cast<uint8_t>(logoUsage);
  for (int i = 0; i < 3; ++i) m.rec.Chnl[i + 1].ChnlOnOff = w.on[i];
  for (int k = 0; k < 4; ++k) {
    m.rec.PgmState[k] = w.pgm[k];
    m.rec.PvwState[k] = w.pvw[k];
  }
  return m;
}

// Caption, on, toggle, alpha, input.
const Pip kOff1{"PIP-1", false, true, false, false};
const Pip kOff2{"PIP-2", false, true, false, false};
const Pip kOn2{"PIP-2", true, true, true, true};
const Pip kOff3{"PIP-3", false, true, false, false};

TEST(PipControlStates, TheWindowsAndTheSwitcherModeDecideWhatCanChange) {
  struct Case {
    const char* name;
    Pips before;
    DeviceModel model;
    Pips after;
  };
  const Pips initial = PipControlStates::Initial();
  const Pips oneProgram = {{{"PGM", true, false, false, false},
                            {"PIP-2", true, false, true, false},
                            {"PIP-3", true, true, true, true}}};
  const Case cases[] = {
      {"no switcher: each PIP open while on",
       initial,
       ModelOf(0, {{0, 1, 0}}),
       {{kOff1, kOn2, kOff3}}},
      {"no switcher after one panel: captions back, toggles free",
       oneProgram,
       ModelOf(0, {{0, 1, 0}}),
       {{kOff1, kOn2, kOff3}}},
      {"a wire value other than 1 counts as on",
       initial,
       ModelOf(0, {{7, 0, 0}}),
       {{{"PIP-1", true, true, true, true}, kOff2, kOff3}}},
      {"one panel, window 1 on program: PIP-1 locked whole; PIP-2 on program keeps its input",
       initial, ModelOf(1, {{1, 1, 1}, {0, 1, 1, 0}, {1, 0, 0, 1}}), oneProgram},
      {"one panel, window 1 on preview: only its input opens",
       initial,
       ModelOf(1, {{1, 0, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}}),
       {{{"PVW", true, false, false, true}, kOff2, {"PIP-3", true, true, true, true}}}},
      {"one panel, window 1 neither: its caption and input stay",
       initial,
       ModelOf(1, {{0, 0, 0}}),
       {{{"PIP-1", false, false, false, false}, kOff2, kOff3}}},
      {"two panels: window 1 on program of the second, 2 and 3 on preview",
       oneProgram,
       ModelOf(2, {{1, 1, 0}, {1, 1, 0, 0}, {0, 0, 1, 1}}),
       {{{"PGM2", true, false, false, false},
         {"PVW1", true, true, true, true},
         {"PVW2", false, true, false, false}}}},
      {"two panels, a window neither on program nor on preview keeps its name",
       initial,
       ModelOf(2, {{1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0}}),
       {{{"PIP-1", true, true, true, true}, kOff2, kOff3}}},
      {"the logo's window keeps its input in every mode",
       initial,
       ModelOf(0, {{0, 0, 1}}, 1),
       {{kOff1, kOff2, {"PIP-3", true, true, true, false}}}},
      {"the logo's window keeps its input in one panel mode",
       initial,
       ModelOf(1, {{0, 0, 1}}, 1),
       {{{"PIP-1", false, false, false, false}, kOff2, {"PIP-3", true, true, true, false}}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PipControlStates::Reload(c.before, c.model), c.after) << c.name;
  }
}

TEST(PipControlStates, OnlyTheLogosWindowRefusesItsToggle) {
  const DeviceModel logo = ModelOf(0, {}, 1);
  const DeviceModel picture = ModelOf(0, {}, 0);
  EXPECT_FALSE(PipControlStates::ToggleRefused(logo, 0));
  EXPECT_FALSE(PipControlStates::ToggleRefused(logo, 1));
  EXPECT_TRUE(PipControlStates::ToggleRefused(logo, 2));
  EXPECT_FALSE(PipControlStates::ToggleRefused(picture, 2));
}

}  // namespace
}  // namespace qv
