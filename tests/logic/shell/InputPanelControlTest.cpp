#include <gtest/gtest.h>

#include "logic/shell/InputPanelControl.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"

namespace qv {
namespace {

using Click = InputPanelControl::Click;
using Row = InputPanelControl::Row;

struct Fixture {
  Fixture() : settings(dir.path() / "Info.ini"), encoder(model, link), control(encoder, settings) {}

  // Type and first three payload bytes of every command sent.
  std::vector<std::vector<int>> Sent() const {
    std::vector<std::vector<int>> out;
    for (const auto& c : link.sent)
      out.push_back({c.type, c.payload[0], c.payload[1], c.payload[2]});
    return out;
  }

  test::TempDir dir;
  DeviceModel model;
  test::RecordingLink link;
  InfoSettings settings;
  CommandEncoder encoder;
  InputPanelControl control;
};

TEST(InputPanelControl, PressRoutesTheTileToTheCurrentWindowUnlessRefused) {
  struct Case {
    const char* name;
    int panelWindow, current;
    int tile;
    int32_t pvwMode = 0;
    int programWindow = -1;
    uint8_t pattern = 0;
    Click outcome;
    std::vector<std::vector<int>> sent;
    int panelAfter;
    std::array<uint8_t, kWindowCount> inputsAfter;
  };
  const Case cases[] = {
      {"main window", 0, 0, 3, 0, -1, 0, Click::Routed, {{7, 0, 3, 0}}, 0, {3, 1, 2, 3}},
      {"left half of DP-1", 0, 0, 8, 0, -1, 0, Click::Routed, {{7, 0, 4, 0}}, 0, {8, 1, 2, 3}},
      {"right half of DP-2", 0, 0, 11, 0, -1, 0, Click::Routed, {{7, 0, 6, 1}}, 0, {11, 1, 2, 3}},
      {"current PIP", 0, 2, 1, 0, -1, 0, Click::Routed, {{7, 2, 1, 0}}, 2, {0, 1, 1, 3}},
      {"tile already on the window", 0, 0, 0, 0, -1, 0, Click::Unchanged, {}, 0, {0, 1, 2, 3}},
      {"same tile, other current window",
       0,
       1,
       0,
       0,
       -1,
       0,
       Click::Routed,
       {{7, 1, 0, 0}},
       1,
       {0, 0, 2, 3}},
      {"test pattern on", 0, 1, 2, 0, -1, 4, Click::PatternOn, {}, 0, {0, 1, 2, 3}},
      {"window on program", 0, 1, 2, 1, 1, 0, Click::OnProgram, {}, 1, {0, 1, 2, 3}},
      {"program flag without switching",
       0,
       0,
       2,
       0,
       0,
       0,
       Click::Routed,
       {{7, 0, 2, 0}},
       0,
       {2, 1, 2, 3}},
      {"preview window, dual mode",
       0,
       1,
       4,
       2,
       0,
       0,
       Click::Routed,
       {{7, 1, 4, 0}},
       1,
       {0, 4, 2, 3}},
      {"no tile", 0, 0, -1, 0, -1, 0, Click::NoTile, {}, 0, {0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    Fixture f;
    for (int k = 0; k < kWindowCount; ++k) f.model.rec.Chnl[k].ChnlInput = static_cast<uint8_t>(k);
    f.control.Follow(c.panelWindow);
    f.model.CurrentWindow = static_cast<uint8_t>(c.current);
    f.model.rec.PvwMode = c.pvwMode;
    if (c.programWindow >= 0) f.model.rec.PgmState[c.programWindow] = 1;
    f.model.TestPattern = c.pattern;

    EXPECT_EQ(f.control.Press(c.tile), c.outcome) << c.name;
    EXPECT_EQ(f.Sent(), c.sent) << c.name;
    EXPECT_EQ(f.control.panelWindow(), c.panelAfter) << c.name;
    for (int k = 0; k < kWindowCount; ++k) {
      EXPECT_EQ(f.model.rec.Chnl[k].ChnlInput, c.inputsAfter[k]) << c.name << " window " << k;
    }
  }
}

TEST(InputPanelControl, FollowingTheCurrentWindowSendsNothing) {
  Fixture f;
  EXPECT_FALSE(f.control.Follow(0));
  EXPECT_TRUE(f.control.Follow(2));
  EXPECT_EQ(f.control.panelWindow(), 2);
  EXPECT_FALSE(f.control.Follow(2));
  EXPECT_FALSE(f.control.Follow(4));
  EXPECT_EQ(f.control.panelWindow(), 2);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(InputPanelControl, LayerSwitchesSetTheWindowOrHandTheLogoOn) {
  struct Case {
    const char* name;
    Row row;
    int window;
    bool on;
    uint8_t logoUsage, logoValid;
    bool logo, windowChanged;
    std::vector<std::vector<int>> sent;
    uint8_t onOffAfter;
  };
  const Case cases[] = {
      {"left PIP-1 on", Row::Left, 1, true, 0, 0, false, true, {{8, 1, 1, 101}}, 1},
      {"left PIP-2 off", Row::Left, 2, false, 0, 0, false, true, {{8, 2, 0, 102}}, 0},
      {"left PIP-3, window 3 is a PIP", Row::Left, 3, true, 0, 0, true, true, {{8, 3, 1, 103}}, 1},
      {"left PIP-3, logo stored", Row::Left, 3, true, 1, 1, true, false, {}, 0},
      {"left PIP-3, no logo stored", Row::Left, 3, true, 1, 0, false, false, {}, 0},
      {"right PIP-3 while the logo is on",
       Row::Right,
       3,
       true,
       1,
       0,
       true,
       true,
       {{8, 3, 1, 103}},
       1},
      {"right PIP-3", Row::Right, 3, true, 0, 0, true, true, {{8, 3, 1, 103}}, 1},
      {"right PIP-1", Row::Right, 1, true, 1, 1, false, true, {{8, 1, 1, 101}}, 1},
  };
  for (const Case& c : cases) {
    Fixture f;
    for (int k = 1; k < kWindowCount; ++k) {
      f.model.rec.Chnl[k].ChnlAlpha = static_cast<uint8_t>(100 + k);
      f.model.rec.Chnl[k].ChnlOnOff = c.on ? 0 : 1;
    }
    f.model.rec.LogoUsage = c.logoUsage;
    f.model.rec.LogoValid[3] = c.logoValid;

    const auto change = f.control.SwitchLayer(c.row, c.window, c.on);
    EXPECT_EQ(change.logo, c.logo) << c.name;
    EXPECT_EQ(change.window, c.windowChanged) << c.name;
    EXPECT_EQ(f.Sent(), c.sent) << c.name;
    if (c.windowChanged) {
      EXPECT_EQ(f.model.rec.Chnl[c.window].ChnlOnOff, c.onOffAfter) << c.name;
    } else {
      EXPECT_EQ(f.model.rec.Chnl[c.window].ChnlOnOff, c.on ? 0 : 1) << c.name;
    }
  }
}

TEST(InputPanelControl, LayerStateShowsTheLogoForWindowThreeWhileItCarriesIt) {
  DeviceModel m;
  m.rec.Chnl[2].ChnlOnOff = 1;
  m.rec.LogoOnOff = 1;
  EXPECT_FALSE(InputPanelControl::LayerState(m, 1));
  EXPECT_TRUE(InputPanelControl::LayerState(m, 2));
  EXPECT_FALSE(InputPanelControl::LayerState(m, 3));
  m.rec.LogoUsage = 1;
  EXPECT_TRUE(InputPanelControl::LayerState(m, 3));
  EXPECT_TRUE(InputPanelControl::LayerState(m, 2));
}

TEST(InputPanelControl, VgaAdjustmentNeedsAWindowOnAVgaCard) {
  struct Case {
    const char* name;
    std::array<uint8_t, kWindowCount> inputs;
    bool vga;
  };
  const Case cases[] = {
      {"no window on slot 7", {0, 1, 6, 4}, false},
      {"PIP 3 on slot 7", {0, 1, 2, 7}, true},
      {"main window on slot 7", {7, 1, 2, 3}, true},
  };
  for (const Case& c : cases) {
    DeviceModel m;
    m.rec.InputSrc[6] = 4;
    m.rec.InputSrc[7] = 3;
    for (int k = 0; k < kWindowCount; ++k) m.rec.Chnl[k].ChnlInput = c.inputs[k];
    EXPECT_EQ(InputPanelControl::ShowsVgaInput(m), c.vga) << c.name;
  }
}

TEST(InputPanelControl, NamesLiveInInfoIniAndAnEmptyOneBringsTheLabelBack) {
  Fixture f;
  EXPECT_EQ(f.control.Rename(2, "Stage Left"), "");
  EXPECT_EQ(f.control.Rename(9, " Camera 2 "), "");
  EXPECT_EQ(f.model.InputLabels[2].displayName, "Stage Left");

  DeviceModel restored;
  CommandEncoder encoder(restored, f.link);
  InputPanelControl again(encoder, f.settings);
  again.LoadDisplayNames();
  EXPECT_EQ(restored.InputLabels[2].displayName, "Stage Left");
  EXPECT_EQ(restored.InputLabels[9].displayName, " Camera 2 ");
  EXPECT_EQ(restored.InputLabels[0].displayName, "");

  f.control.Rename(2, "");
  EXPECT_EQ(f.settings.InputRemark(2), "");
  EXPECT_EQ(f.model.InputLabels[2].displayName, "");
  EXPECT_EQ(f.model.InputLabels[2].label, " DVI-2 ");
}

}  // namespace
}  // namespace qv
