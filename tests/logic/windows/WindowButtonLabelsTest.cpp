#include "logic/windows/WindowButtonLabels.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qv {
namespace {

using Button = WindowButtonLabels::Button;
using Buttons = WindowButtonLabels::Buttons;

DeviceStatusRecord Switcher(int mode, std::array<uint8_t, 4> pgm, std::array<uint8_t, 4> pvw) {
  DeviceStatusRecord rec{};
  rec.PvwMode = mode;
  std::memcpy(rec.PgmState, pgm.data(), pgm.size());
  std::memcpy(rec.PvwState, pvw.data(), pvw.size());
  return rec;
}

TEST(WindowButtonLabels, TheSwitcherStateRelabelsTheButtons) {
  const Buttons plain = WindowButtonLabels::Plain();
  const Buttons dual = {{{"PGM1", false}, {"PVW2", true}, {"PVW1", true}, {"PGM2", false}}};
  struct Case {
    const char* name;
    Buttons before;
    DeviceStatusRecord rec;
    Buttons after;
    int selectedAfter;  // from 3
  };
  const Case cases[] = {
      {"no switcher", dual, Switcher(0, {1, 0, 0, 0}, {0, 1, 0, 0}), plain, 3},
      {"one panel, main on program, PIP 1 on preview",
       plain,
       Switcher(1, {1, 0, 0, 0}, {0, 1, 0, 0}),
       {{{"PGM", false}, {"PVW", true}, {"PIP2", true}, {"PIP3", true}}},
       1},
      {"one panel, main on preview",
       plain,
       Switcher(1, {0, 1, 0, 0}, {1, 0, 0, 0}),
       {{{"PVW", true}, {"PGM", false}, {"PIP2", true}, {"PIP3", true}}},
       0},
      // PIP 2 and 3 take their labels back even from a disabled program button.
      {"one panel after two",
       dual,
       Switcher(1, {0, 0, 0, 0}, {0, 0, 0, 0}),
       {{{"PGM1", false}, {"PVW2", true}, {"PIP2", true}, {"PIP3", true}}},
       3},
      {"two panels", plain, Switcher(2, {1, 0, 0, 1}, {0, 1, 1, 0}), dual, 3},
      {"two panels, flags clear keep the labels", dual, Switcher(2, {0, 0, 0, 0}, {0, 0, 0, 0}),
       dual, 3},
      {"program wins over preview",
       plain,
       Switcher(2, {1, 1, 1, 1}, {1, 1, 1, 1}),
       {{{"PGM1", false}, {"PGM2", false}, {"PGM1", false}, {"PGM2", false}}},
       3},
      {"an unknown mode from the wire is plain", dual, Switcher(7, {1, 1, 1, 1}, {0, 0, 0, 0}),
       plain, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int selected = 3;
    const Buttons after = WindowButtonLabels::Relabel(c.before, c.rec, &selected);
    for (int k = 0; k < kWindowCount; ++k) {
      EXPECT_EQ(after[k].label, c.after[k].label) << k;
      EXPECT_EQ(after[k].enabled, c.after[k].enabled) << k;
    }
    EXPECT_EQ(selected, c.selectedAfter);
  }
}

TEST(WindowButtonLabels, APageMayChooseTheFirstPanelsPreviewWindow) {
  using Dual = WindowButtonLabels::DualPreview;
  struct Case {
    const char* name;
    DeviceStatusRecord rec;
    Dual dual;
    int selectedAfter;  // from 3
  };
  const Case cases[] = {
      {"window 2 on the first panel's preview", Switcher(2, {1, 0, 0, 1}, {0, 1, 1, 0}),
       Dual::ChoosesFirstPanel, 2},
      {"kept by the output page", Switcher(2, {1, 0, 0, 1}, {0, 1, 1, 0}), Dual::KeepsChoice, 3},
      {"only the second panel's preview", Switcher(2, {1, 0, 1, 0}, {0, 1, 0, 1}),
       Dual::ChoosesFirstPanel, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int selected = 3;
    WindowButtonLabels::Relabel(WindowButtonLabels::Plain(), c.rec, &selected, c.dual);
    EXPECT_EQ(selected, c.selectedAfter);
  }
}

}  // namespace
}  // namespace qv
