#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "canvas/GeometryPrinters.h"
#include "link/CommandEncoder.h"
#include "logic/main/MainPageLayout.h"
#include "support/RecordingLink.h"

namespace qv {
namespace {

using Flags = std::array<uint8_t, kWindowCount>;

constexpr Rect kFirstScreen{125, 198, 2045, 1278};
constexpr int kPreview1 = MainPageLayout::kFirstPreviewScreen;
constexpr int kPreview2 = MainPageLayout::kFirstPreviewScreen + 1;
constexpr int kProgram1 = MainPageLayout::kFirstProgramScreen;
constexpr int kProgram2 = MainPageLayout::kFirstProgramScreen + 1;

constexpr int Output(int screen) {
  return MainPageLayout::kFirstOutputScreen + screen - 1;
}

// A model, a link that records what is sent, and the page built on them. The
// windows show inputs 0..3, whose built-in labels are " DVI-1 ", " HDMI-1 ",
// " DVI-2 " and " HDMI-2 ".
class MainPage : public ::testing::Test {
 protected:
  MainPage() {
    for (int k = 0; k < kWindowCount; ++k) rec().Chnl[k].ChnlInput = static_cast<uint8_t>(k);
    rec().HReso = 1920;
    rec().VReso = 1080;
    Rebuild();
  }

  // A fresh page on the model as it is now.
  void Rebuild() {
    page.reset();
    page.emplace(encoder);
  }

  DeviceStatusRecord& rec() { return model.rec; }
  const CCell& Cell(int index) const { return *page->canvas().Cell(page->cell(index)); }
  Rect Device(int index) const { return Cell(index).deviceRect(); }
  Point Origin(int window) const { return Cell(window).origin(); }
  Point TopLeft(int index) const { return {Device(index).left, Device(index).top}; }

  void SetStates(const Flags& program, const Flags& preview) {
    for (int k = 0; k < kWindowCount; ++k) {
      rec().PgmState[k] = program[k];
      rec().PvwState[k] = preview[k];
    }
  }
  void SetGeometry(int window, const Rect& r) {
    ChnlData& ch = rec().Chnl[window];
    ch.HPos = r.left;
    ch.VPos = r.top;
    ch.HAct = r.Width();
    ch.VAct = r.Height();
  }
  void SetLogoGeometry(int slot, const Rect& r) {
    rec().LogoHPos[slot] = static_cast<uint16_t>(r.left);
    rec().LogoVPos[slot] = static_cast<uint16_t>(r.top);
    rec().LogoHAct[slot] = static_cast<uint16_t>(r.Width());
    rec().LogoVAct[slot] = static_cast<uint16_t>(r.Height());
  }
  // The output screen (1..4) whose corner is the window's origin; 0 for none.
  int OutputScreenOf(int window) const {
    for (int s = 1; s <= 4; ++s) {
      if (TopLeft(Output(s)) == Origin(window)) return s;
    }
    return 0;
  }

  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  std::optional<MainPageLayout> page;
};

TEST_F(MainPage, WindowsStartAtTheirDefaultPlacesOnTheFirstScreen) {
  for (int k = 0; k < kWindowCount; ++k) {
    const WindowRect& d = model.WindowDefaultRect[k];
    const Rect expected{125 + d.x, 198 + d.y, 125 + d.x + d.width, 198 + d.y + d.height};
    EXPECT_EQ(Device(k), expected) << "window " << k;
    EXPECT_EQ(Origin(k), MainPageLayout::kScreenOrigin) << "window " << k;
    EXPECT_EQ(Cell(k).ShownPosition(), (Point{d.x, d.y})) << "window " << k;
    EXPECT_EQ(Cell(k).screenBounds(), kFirstScreen) << "window " << k;
    EXPECT_EQ(Cell(k).hidden(), k != 0) << "window " << k;
    EXPECT_FALSE(Cell(k).locked()) << "window " << k;
  }
  EXPECT_EQ(Cell(0).canvasRect(), (Rect{21, 33, 101, 86}));
  EXPECT_EQ(page->Label(0), "Main : DVI-1");
  EXPECT_EQ(page->Label(3), "PIP-3 : HDMI-2");
  EXPECT_EQ(Cell(3).source(), 3);
  EXPECT_EQ(page->currentWindow(), 0);
  EXPECT_EQ(page->zoom(), 6.0);
}

TEST_F(MainPage, ScreensStartLockedAndOutlinedWithOnlyTheFirstOutputShown) {
  struct Case {
    int index;
    const char* name;
    Rect device;
    bool hidden;
  };
  const Case cases[] = {
      {Output(1), "OUTPUT:DVI-1", kFirstScreen, false},
      {Output(2), "OUTPUT:DVI-2", {2045, 198, 3965, 1278}, true},
      {Output(3), "OUTPUT:DVI-3", {3965, 198, 5885, 1278}, true},
      {Output(4), "OUTPUT:DVI-4", {5885, 198, 7805, 1278}, true},
      {kPreview1, "PREVIEW-1", kFirstScreen, true},
      {kPreview2, "PREVIEW-2", kFirstScreen, true},
      {kProgram1, "PROGRAM-1", kFirstScreen, true},
      {kProgram2, "PROGRAM-2", kFirstScreen, true},
  };
  for (const Case& c : cases) {
    const CCell& screen = Cell(c.index);
    EXPECT_TRUE(screen.IsScreen()) << c.name;
    EXPECT_EQ(screen.name(), c.name);
    EXPECT_EQ(screen.deviceRect(), c.device) << c.name;
    EXPECT_EQ(screen.hidden(), c.hidden) << c.name;
    EXPECT_TRUE(screen.locked()) << c.name;
    EXPECT_TRUE(screen.outline()) << c.name;
    EXPECT_EQ(page->IndexOf(page->cell(c.index)), c.index) << c.name;
  }
}

TEST_F(MainPage, SourceNamesPreferTheOperatorsNameAndTolerateUnknownInputs) {
  struct Case {
    const char* name;
    uint8_t input;
    std::string displayName;
    const char* label;
  };
  const Case cases[] = {
      {"built-in label without its blanks", 1, "", "Main : HDMI-1"},
      {"operator's name", 1, "Stage cam", "Main : Stage cam"},
      {"blank operator's name", 1, "   ", "Main : HDMI-1"},
      {"input beyond the label table", 12, "", "Main : "},
      {"input far beyond it", 200, "", "Main : "},
  };
  for (const Case& c : cases) {
    rec().Chnl[0].ChnlInput = c.input;
    model.InputLabels[1].displayName = c.displayName;
    page->UpdateWindowLabel(0);
    EXPECT_EQ(page->Label(0), c.label) << c.name;
    EXPECT_EQ(Cell(0).source(), c.input) << c.name;
  }
}

TEST_F(MainPage, WindowLabelsFollowTheSwitcherMode) {
  struct Case {
    const char* name;
    int pvwMode;
    bool logo;
    Flags program;
    Flags preview;
    int window;
    const char* label;
  };
  const Case cases[] = {
      {"normal main", 0, false, {}, {}, 0, "Main : DVI-1"},
      {"normal PIP", 0, false, {1, 1, 1, 1}, {}, 2, "PIP-2 : DVI-2"},
      {"normal logo window", 0, true, {}, {}, 3, "LOGO"},
      {"single, on program", 1, false, {1, 0, 0, 0}, {1, 0, 0, 0}, 0, "PGM : DVI-1"},
      {"single, on preview", 1, false, {}, {0, 1, 0, 0}, 1, "PVW : HDMI-1"},
      {"single, on neither", 1, false, {}, {}, 0, ""},
      {"single, PIP 2 on program", 1, false, {0, 0, 1, 0}, {}, 2, "PIP-2 : DVI-2"},
      {"single, PIP 3", 1, false, {}, {}, 3, "PIP-3 : HDMI-2"},
      {"single, logo window", 1, true, {0, 0, 0, 1}, {}, 3, "LOGO"},
      {"dual, first program", 2, false, {1, 0, 0, 0}, {}, 0, "PGM1 : DVI-1"},
      {"dual, second program", 2, false, {0, 1, 0, 0}, {}, 1, "PGM2 : HDMI-1"},
      {"dual, first preview", 2, false, {}, {0, 0, 1, 0}, 2, "PVW1 : DVI-2"},
      {"dual, second preview", 2, false, {}, {0, 0, 0, 1}, 3, "PVW2 : HDMI-2"},
      {"dual, on neither", 2, false, {}, {}, 2, ""},
      {"dual, logo window on program", 2, true, {0, 0, 0, 1}, {}, 3, "LOGO"},
  };
  for (const Case& c : cases) {
    model = DeviceModel();
    for (int k = 0; k < kWindowCount; ++k) rec().Chnl[k].ChnlInput = static_cast<uint8_t>(k);
    Rebuild();
    if (c.logo) {
      rec().LogoUsage = 1;
      page->UpdateWindow3(1);
    }
    rec().PvwMode = c.pvwMode;
    SetStates(c.program, c.preview);
    page->UpdateWindowLabel(c.window);
    EXPECT_EQ(page->Label(c.window), c.label) << c.name;
  }
}

// The preview and program screens apart from each other, so that the screen a
// window is placed on shows in its device rectangle.
class MainPagePlacement : public MainPage {
 protected:
  MainPagePlacement() {
    Screen(kPreview1, {1000, 100});
    Screen(kPreview2, {3000, 100});
    Screen(kProgram1, {1000, 2000});
    Screen(kProgram2, {3000, 2000});
  }
  void Screen(int index, Point at) {
    page->canvas().SetCellDeviceRect(page->cell(index), {at.x, at.y, at.x + 1920, at.y + 1080});
  }
};

TEST_F(MainPagePlacement, AWindowLiesOnItsScreenAtTheModelsPosition) {
  constexpr Rect kGeometry{100, 50, 740, 410};
  constexpr Rect kLogo{10, 20, 210, 120};
  struct Case {
    const char* name;
    int pvwMode;
    Flags program;
    Flags preview;
    bool logo;
    int window;
    Point origin;
  };
  const Case cases[] = {
      {"normal: its own screen", 0, {1, 1, 1, 1}, {}, false, 2, {125, 198}},
      {"single, on program", 1, {1, 0, 0, 0}, {}, false, 0, {1000, 2000}},
      {"single, otherwise on preview", 1, {}, {}, false, 3, {1000, 100}},
      {"dual, first program", 2, {0, 0, 1, 0}, {}, false, 2, {1000, 2000}},
      {"dual, second program", 2, {0, 1, 0, 0}, {0, 1, 0, 0}, false, 1, {3000, 2000}},
      {"dual, first preview", 2, {}, {1, 0, 0, 0}, false, 0, {1000, 100}},
      {"dual, second preview", 2, {}, {0, 0, 0, 1}, false, 3, {3000, 100}},
      {"dual, on neither: the device origin", 2, {}, {}, false, 1, {0, 0}},
      {"normal logo", 0, {}, {}, true, 3, {125, 198}},
      {"single, logo on program", 1, {0, 0, 0, 1}, {}, true, 3, {1000, 2000}},
  };
  for (const Case& c : cases) {
    rec().PvwMode = c.pvwMode;
    rec().LogoUsage = c.logo ? 1 : 0;
    model.LogoSlotSel = 2;
    SetLogoGeometry(2, kLogo);
    SetStates(c.program, c.preview);
    SetGeometry(c.window, kGeometry);
    page->PlaceWindowCell(c.window);
    const Rect g = c.logo ? kLogo : kGeometry;
    EXPECT_EQ(Device(c.window), g.Translated(c.origin.x, c.origin.y)) << c.name;
  }
}

TEST_F(MainPagePlacement, WhatCannotBePlacedStaysWhereItIs) {
  struct Case {
    const char* name;
    int pvwMode;
    bool logo;
    uint8_t logoSlot;
  };
  const Case cases[] = {
      {"unknown switcher mode", 3, false, 0},
      {"logo slot beyond the four", 0, true, 4},
  };
  for (const Case& c : cases) {
    rec().PvwMode = c.pvwMode;
    rec().LogoUsage = c.logo ? 1 : 0;
    model.LogoSlotSel = c.logoSlot;
    SetGeometry(3, {100, 50, 740, 410});
    const Rect before = Device(3);
    page->PlaceWindowCell(3);
    EXPECT_EQ(Device(3), before) << c.name;
  }
}

TEST_F(MainPage, ANegativeSizeFromTheModelPlacesAnEmptyWindowNotAFlippedOne) {
  rec().Chnl[0] = {1, 0, 0, 0, 100, 50, -300, -200, 0};
  page->PlaceWindowCell(0);
  EXPECT_EQ(Device(0), (Rect{225, 248, 225, 248}));
}

TEST_F(MainPage, Window3BecomesTheLogoOrPip3Again) {
  struct Case {
    const char* name;
    uint8_t logoUsage;
    uint8_t logoOn;
    uint8_t pip3On;
    int pvwMode;
    uint8_t pip3Program;
    const char* label;
    bool locked;
    bool hidden;
  };
  const Case cases[] = {
      {"logo shown", 1, 1, 0, 0, 0, "LOGO", true, false},
      {"logo off", 1, 0, 1, 0, 0, "LOGO", true, true},
      {"PIP 3", 0, 1, 1, 0, 0, "PIP-3 : HDMI-2", false, false},
      {"PIP 3 off", 0, 1, 0, 0, 0, "PIP-3 : HDMI-2", false, true},
      {"PIP 3 on program, single switcher", 0, 0, 1, 1, 1, "PIP-3 : HDMI-2", true, false},
      {"PIP 3 on preview, single switcher", 0, 0, 1, 1, 0, "PIP-3 : HDMI-2", false, false},
      {"dual switcher: left as it was", 0, 0, 0, 2, 0, "LOGO", true, false},
  };
  for (const Case& c : cases) {
    // Each case starts from window 3 shown as the logo.
    rec() = {};
    rec().Chnl[3].ChnlInput = 3;
    rec().LogoUsage = 1;
    rec().LogoOnOff = 1;
    Rebuild();
    page->UpdateWindow3(1);

    rec().LogoUsage = c.logoUsage;
    rec().LogoOnOff = c.logoOn;
    rec().Chnl[3].ChnlOnOff = c.pip3On;
    rec().PvwMode = c.pvwMode;
    rec().PgmState[3] = c.pip3Program;
    page->UpdateWindow3(1);
    EXPECT_EQ(page->Label(3), c.label) << c.name;
    EXPECT_EQ(Cell(3).locked(), c.locked) << c.name;
    EXPECT_EQ(Cell(3).hidden(), c.hidden) << c.name;
    EXPECT_FALSE(Cell(3).outline()) << c.name;
  }
}

TEST_F(MainPage, Window3IsPlacedWhateverTheCode) {
  rec().LogoUsage = 1;
  SetLogoGeometry(0, {0, 0, 960, 540});
  page->UpdateWindow3(0);
  EXPECT_EQ(Device(3), (Rect{125, 198, 1085, 738}));
  EXPECT_EQ(page->Label(3), "PIP-3 : HDMI-2");
}

TEST_F(MainPage, OutputsAreShownAndWindowsRebasedByMosaicMode) {
  struct Case {
    const char* name;
    int mosaicBefore;
    int mosaicMode;
    int pvwMode;
    uint8_t pageA;
    int shownOutputs;
    std::array<int, kWindowCount> screenOf;
  };
  const Case cases[] = {
      {"0: all on the first", 5, 0, 0, 5, 1, {1, 1, 1, 1}},
      {"0 in a switcher mode: not rebased", 5, 0, 1, 5, 1, {1, 2, 3, 4}},
      {"1: all on the first", 5, 1, 1, 5, 1, {1, 1, 1, 1}},
      {"2: alternating", 5, 2, 0, 5, 2, {1, 2, 1, 2}},
      {"3: in pairs", 5, 3, 0, 5, 2, {1, 1, 2, 2}},
      {"4 with page 3", 5, 4, 0, 3, 3, {1, 2, 3, 2}},
      {"4 with page 5: not rebased", 5, 4, 0, 5, 3, {1, 2, 3, 4}},
      {"5: one on each", 1, 5, 0, 5, 4, {1, 2, 3, 4}},
      {"unknown mode: all shown, not rebased", 3, 6, 0, 5, 4, {1, 1, 2, 2}},
  };
  for (const Case& c : cases) {
    rec().PvwMode = 0;
    rec().MosaicMode = c.mosaicBefore;
    page->RelayoutOutputs();
    rec().MosaicMode = c.mosaicMode;
    rec().PvwMode = c.pvwMode;
    model.MosaicPageA = c.pageA;
    page->RelayoutOutputs();
    for (int s = 1; s <= 4; ++s) {
      EXPECT_EQ(Cell(Output(s)).hidden(), s > c.shownOutputs) << c.name << ", screen " << s;
    }
    for (int k = 0; k < kWindowCount; ++k) {
      EXPECT_EQ(OutputScreenOf(k), c.screenOf[k]) << c.name << ", window " << k;
      const WindowRect& d = model.WindowDefaultRect[k];
      EXPECT_EQ(Cell(k).ShownPosition(), (Point{d.x, d.y})) << c.name << ", window " << k;
    }
  }
}

TEST_F(MainPage, ArrangementPresetsPlaceScreensTwoToFourBesideTheFirst) {
  rec().HReso = 1280;
  rec().VReso = 720;
  rec().MosaicMode = 5;
  const Rect right{2045, 198, 3325, 1278};
  const Rect below{125, 1278, 2045, 1998};
  struct Case {
    int preset;
    std::array<Rect, 3> screens;  // 2, 3 and 4
  };
  const Rect kUnchanged3{3965, 198, 5885, 1278};
  const Rect kUnchanged4{5885, 198, 7805, 1278};
  const Case cases[] = {
      {0, {{right, kUnchanged3, kUnchanged4}}},
      {1, {{below, kUnchanged3, kUnchanged4}}},
      {2, {{right, {3325, 198, 4605, 1278}, kUnchanged4}}},
      {3, {{right, {3325, 198, 4605, 1278}, kUnchanged4}}},
      {4, {{below, {125, 1998, 2045, 2718}, kUnchanged4}}},
      {5, {{{2045, 198, 3325, 918}, below, {2045, 1278, 3325, 1998}}}},
      {6, {{right, {3325, 198, 4605, 1278}, {4605, 198, 5885, 1278}}}},
      {7, {{below, {125, 1998, 2045, 2718}, {125, 2718, 2045, 3438}}}},
  };
  for (const Case& c : cases) {
    Rebuild();
    page->ArrangeScreens(c.preset);
    EXPECT_EQ(Device(Output(1)), kFirstScreen) << "preset " << c.preset;
    for (int s = 2; s <= 4; ++s) {
      EXPECT_EQ(Device(Output(s)), c.screens[s - 2]) << "preset " << c.preset << ", screen " << s;
    }
    // The windows follow their screens.
    for (int k = 0; k < kWindowCount; ++k) {
      EXPECT_EQ(Origin(k), TopLeft(Output(k + 1))) << "preset " << c.preset << ", window " << k;
    }
  }

  Rebuild();
  page->ArrangeScreens(8);
  EXPECT_EQ(Device(Output(2)), (Rect{2045, 198, 3965, 1278}));
  EXPECT_EQ(OutputScreenOf(3), 1);
}

TEST_F(MainPage, LockingOutputsOutlinesThemAndShowsOnlyTheWindowsThatAreOn) {
  struct Case {
    const char* name;
    bool locked;
    bool updateWindows;
    std::array<bool, kWindowCount> hidden;
  };
  const Case cases[] = {
      {"locked", true, true, {false, true, false, true}},
      {"unlocked: windows hidden for arranging", false, true, {true, true, true, true}},
      {"windows left alone", false, false, {false, true, true, true}},
  };
  for (const Case& c : cases) {
    Rebuild();
    rec().Chnl[0].ChnlOnOff = 1;
    rec().Chnl[2].ChnlOnOff = 1;
    page->LockOutputs(c.locked, c.updateWindows);
    for (int s = 1; s <= 4; ++s) {
      EXPECT_EQ(Cell(Output(s)).locked(), c.locked) << c.name;
      EXPECT_EQ(Cell(Output(s)).outline(), c.locked) << c.name;
    }
    for (int k = 0; k < kWindowCount; ++k) {
      EXPECT_EQ(Cell(k).hidden(), c.hidden[k]) << c.name << ", window " << k;
    }
  }
}

TEST_F(MainPage, ANewOutputResolutionResizesScreensAndKeepsTheirArrangement) {
  page->SetPageSize(1000, 600);
  rec().HReso = 1024;
  rec().VReso = 768;
  page->OnOutputResolution();
  // 1024 x 125 / 1920 = 66.67 and 768 x 198 / 1080 = 140.8, rounded.
  const Rect expected[] = {
      {67, 141, 1091, 909}, {1091, 141, 2115, 909}, {2115, 141, 3139, 909}, {3139, 141, 4163, 909}};
  for (int s = 1; s <= 4; ++s) EXPECT_EQ(Device(Output(s)), expected[s - 1]) << "screen " << s;
  for (int i : {kPreview1, kPreview2, kProgram1, kProgram2}) {
    EXPECT_EQ(Device(i), (Rect{125, 198, 1149, 966})) << Cell(i).name();
  }
  EXPECT_EQ(Device(0), (Rect{67, 141, 547, 461}));
  EXPECT_EQ(page->canvas().windowPair().x(), 6.0);
}

TEST_F(MainPage, ANewOutputResolutionOnAnEmptyPageOnlyResizesTheSwitcherScreens) {
  rec().HReso = 1024;
  rec().VReso = 768;
  page->OnOutputResolution();
  EXPECT_EQ(Device(Output(1)), kFirstScreen);
  EXPECT_EQ(Device(kProgram2), (Rect{125, 198, 1149, 966}));
}

TEST_F(MainPage, AScreenWithoutWidthKeepsItsLeftWhenTheResolutionChanges) {
  page->SetPageSize(1000, 600);
  page->canvas().SetCellDeviceRect(page->cell(Output(2)), {2045, 198, 2045, 1278});
  rec().HReso = 1024;
  rec().VReso = 768;
  page->OnOutputResolution();
  EXPECT_EQ(Device(Output(2)), (Rect{2045, 141, 3069, 909}));
}

// A page 1513 x 738: the single switcher mode fits a 1920 x 1080 output at
// exactly 4 device pixels per canvas pixel.
class MainPageSwitcher : public MainPage {
 protected:
  MainPageSwitcher() { page->SetPageSize(1513, 738); }
};

TEST_F(MainPageSwitcher, SingleModeCentresPreviewAboveProgram) {
  rec().PvwMode = 1;
  SetStates({1, 0, 1, 0}, {0, 1, 0, 0});
  page->RelayoutForSwitcher();

  EXPECT_TRUE(page->switcherFrames());
  EXPECT_EQ(page->canvas().windowPair().x(), 4.0);
  EXPECT_EQ(page->canvas().screenPair().y(), 4.0);
  EXPECT_EQ(Device(kPreview1), (Rect{2064, 160, 3984, 1240}));
  EXPECT_EQ(Device(kProgram1), (Rect{2064, 1636, 3984, 2716}));
  EXPECT_EQ(Cell(kPreview1).canvasRect(), (Rect{516, 40, 996, 310}));
  for (int i : {kPreview1, kProgram1}) EXPECT_FALSE(Cell(i).hidden()) << Cell(i).name();
  for (int i : {kPreview2, kProgram2, Output(1), Output(2), Output(3), Output(4)}) {
    EXPECT_TRUE(Cell(i).hidden()) << Cell(i).name();
  }

  struct Expect {
    int screen;
    bool locked;
    const char* label;
  };
  const Expect windows[] = {
      {kProgram1, true, "PGM : DVI-1"},
      {kPreview1, false, "PVW : HDMI-1"},
      {kProgram1, true, "PIP-2 : DVI-2"},
      {kPreview1, false, "PIP-3 : HDMI-2"},
  };
  for (int k = 0; k < kWindowCount; ++k) {
    const WindowRect& d = model.WindowDefaultRect[k];
    EXPECT_EQ(Origin(k), TopLeft(windows[k].screen)) << "window " << k;
    EXPECT_EQ(Cell(k).ShownPosition(), (Point{d.x, d.y})) << "window " << k;
    EXPECT_EQ(Cell(k).locked(), windows[k].locked) << "window " << k;
    EXPECT_EQ(page->Label(k), windows[k].label) << "window " << k;
  }
}

TEST_F(MainPageSwitcher, DualModeSetsTheScreensSideBySideOnTheCentreLine) {
  rec().PvwMode = 2;
  SetStates({1, 1, 0, 0}, {0, 0, 1, 0});
  page->RelayoutForSwitcher();

  // 1920 / 555 device pixels per canvas pixel across; the centre line at
  // canvas 756 is device 2615.
  EXPECT_EQ(page->canvas().windowPair().x(), static_cast<double>(1920.0f / 555.0f));
  EXPECT_EQ(page->canvas().windowPair().y(), 4.0);
  EXPECT_EQ(Device(kPreview1), (Rect{695, 160, 2615, 1240}));
  EXPECT_EQ(Device(kPreview2), (Rect{2615, 160, 4535, 1240}));
  EXPECT_EQ(Device(kProgram1), (Rect{695, 1636, 2615, 2716}));
  EXPECT_EQ(Device(kProgram2), (Rect{2615, 1636, 4535, 2716}));
  for (int i : {kPreview1, kPreview2, kProgram1, kProgram2}) {
    EXPECT_FALSE(Cell(i).hidden()) << Cell(i).name();
  }

  struct Expect {
    Point origin;
    bool locked;
    const char* label;
  };
  const Expect windows[] = {
      {TopLeft(kProgram1), true, "PGM1 : DVI-1"},
      {TopLeft(kProgram2), true, "PGM2 : HDMI-1"},
      {TopLeft(kPreview1), false, "PVW1 : DVI-2"},
      {MainPageLayout::kScreenOrigin, false, "PIP-3 : HDMI-2"},  // on neither: left alone
  };
  for (int k = 0; k < kWindowCount; ++k) {
    EXPECT_EQ(Origin(k), windows[k].origin) << "window " << k;
    EXPECT_EQ(Cell(k).locked(), windows[k].locked) << "window " << k;
    EXPECT_EQ(page->Label(k), windows[k].label) << "window " << k;
  }
}

TEST_F(MainPageSwitcher, TheLogoWindowStaysLockedOnPreview) {
  rec().PvwMode = 1;
  rec().LogoUsage = 1;
  page->RelayoutForSwitcher();
  EXPECT_EQ(Origin(3), TopLeft(kPreview1));
  EXPECT_TRUE(Cell(3).locked());
  EXPECT_FALSE(Cell(2).locked());
}

TEST_F(MainPageSwitcher, LeavingTheSwitcherModeRestoresTheOutputs) {
  rec().PvwMode = 1;
  SetStates({1, 1, 1, 1}, {});
  page->RelayoutForSwitcher();
  ASSERT_TRUE(Cell(0).locked());

  rec().PvwMode = 0;
  rec().LogoUsage = 1;
  page->RelayoutForSwitcher();
  EXPECT_FALSE(page->switcherFrames());
  EXPECT_EQ(page->canvas().windowPair().x(), 6.0);
  EXPECT_FALSE(Cell(Output(1)).hidden());
  for (int i : {kPreview1, kPreview2, kProgram1, kProgram2}) {
    EXPECT_TRUE(Cell(i).hidden()) << Cell(i).name();
  }
  for (int k = 0; k < kWindowCount; ++k) {
    EXPECT_EQ(OutputScreenOf(k), 1) << "window " << k;
    EXPECT_EQ(Cell(k).locked(), k == 3) << "window " << k;
  }
  EXPECT_EQ(page->Label(0), "Main : DVI-1");
}

TEST_F(MainPageSwitcher, ANewResolutionRefitsTheSwitcherScreensAndRebasesTheWindows) {
  rec().PvwMode = 1;
  SetStates({0, 1, 0, 0}, {});
  page->RelayoutForSwitcher();
  rec().HReso = 960;
  rec().VReso = 540;
  page->OnOutputResolution();
  // Half the output at the same page: 2 device pixels per canvas pixel.
  EXPECT_EQ(page->canvas().windowPair().x(), 2.0);
  EXPECT_EQ(Device(kPreview1), (Rect{1032, 80, 1992, 620}));
  EXPECT_EQ(Device(kProgram1), (Rect{1032, 818, 1992, 1358}));
  EXPECT_EQ(Origin(1), TopLeft(kProgram1));
  EXPECT_EQ(Origin(0), TopLeft(kPreview1));
}

TEST_F(MainPageSwitcher, APageTooSmallForTheFramesKeepsTheScaleAndTheScreens) {
  struct Case {
    const char* name;
    int width;
    int height;
    uint16_t hReso;
  };
  const Case cases[] = {
      {"too narrow", 300, 738, 1920},    {"frames take the whole width", 313, 738, 1920},
      {"too low", 1513, 150, 1920},      {"empty", 0, 0, 1920},
      {"no output width", 1513, 738, 0},
  };
  for (const Case& c : cases) {
    Rebuild();
    page->SetPageSize(c.width, c.height);
    rec().HReso = c.hReso;
    rec().PvwMode = 1;
    page->RelayoutForSwitcher();
    EXPECT_EQ(page->canvas().windowPair().x(), 6.0) << c.name;
    EXPECT_EQ(Device(kPreview1), kFirstScreen) << c.name;
    EXPECT_TRUE(page->switcherFrames()) << c.name;
  }
}

TEST_F(MainPage, ZoomStepsByHalfAndNeverReachesZero) {
  EXPECT_TRUE(page->Zoom(1));
  EXPECT_EQ(page->zoom(), 6.5);
  EXPECT_EQ(page->canvas().screenPair().x(), 6.5);
  EXPECT_EQ(Cell(Output(1)).canvasRect(), (Rect{19, 30, 315, 197}));

  EXPECT_TRUE(page->Zoom(-12));
  EXPECT_EQ(page->zoom(), 0.5);
  EXPECT_TRUE(page->Zoom(-1));
  EXPECT_EQ(page->zoom(), 1.0);
  EXPECT_EQ(page->canvas().windowPair().y(), 1.0);
  EXPECT_EQ(Cell(Output(1)).canvasRect(), kFirstScreen);
}

TEST_F(MainPage, ZoomDoesNothingInASwitcherMode) {
  rec().PvwMode = 1;
  EXPECT_FALSE(page->Zoom(1));
  EXPECT_EQ(page->zoom(), 6.0);
  EXPECT_EQ(page->canvas().windowPair().x(), 6.0);
}

TEST_F(MainPage, PressingAWindowMakesItCurrentAndOnTop) {
  page->ShowWindowCell(2, true);
  EXPECT_EQ(page->MakeCurrent(page->cell(2)), 2);
  EXPECT_EQ(page->currentWindow(), 2);
  EXPECT_EQ(model.CurrentWindow, 2);
  EXPECT_EQ(page->canvas().cells().back().handle(), page->cell(2));

  page->LockOutputs(false, false);
  EXPECT_EQ(page->MakeCurrent(page->cell(Output(1))), 2);
  EXPECT_EQ(model.CurrentWindow, 2);
  EXPECT_EQ(page->canvas().cells().back().handle(), page->cell(2));
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(MainPage, APressSendsTheLogoGeometryTheLogoPageLeftPending) {
  model.LogoGeomDirty = 1;
  model.LogoSlotSel = 2;
  page->MakeCurrent(page->cell(0));
  ASSERT_EQ(link.SentTypes(), (std::vector<int>{static_cast<int>(CommandType::SetLogo)}));
  EXPECT_EQ(link.sent[0].payload[0], 3);
  EXPECT_EQ(link.sent[0].payload[1], 2);
  EXPECT_EQ(model.LogoGeomDirty, 0);

  page->MakeCurrent(page->cell(0));
  EXPECT_EQ(link.sent.size(), 1u);
}

TEST_F(MainPage, ADraggedWindowIsSentRelativeToItsScreen) {
  // Window 0 is at canvas (21, 33)-(101, 86); ten canvas pixels to the right
  // it lies on the screen's top edge and 61 device pixels from its left.
  ASSERT_EQ(page->canvas().Press({60, 60}, false), page->cell(0));
  page->canvas().Move({70, 60});
  const std::optional<CellHandle> changed = page->canvas().Release();
  ASSERT_EQ(changed, page->cell(0));
  EXPECT_EQ(page->CommitDrag(*changed), 0);

  const ChnlData& ch = rec().Chnl[0];
  EXPECT_EQ((Rect{ch.HPos, ch.VPos, ch.HPos + ch.HAct, ch.VPos + ch.VAct}),
            (Rect{61, 0, 541, 320}));
  ASSERT_EQ(link.sent.size(), 1u);
  Payload expected;
  expected.fill(0x55);
  const uint8_t head[] = {0, 61, 0, 0, 0, 0xE0, 0x01, 0x40, 0x01, 0, 0};
  std::copy(std::begin(head), std::end(head), expected.begin());
  EXPECT_EQ(link.sent[0].type, static_cast<int>(CommandType::SetWindowGeometry));
  EXPECT_EQ(link.sent[0].payload, expected);
  EXPECT_EQ(link.sent[0].address, kDefaultTargetAddress);
}

TEST_F(MainPage, ADragEndingLeftOfOrAboveTheScreenStoresZero) {
  page->ShowWindowCell(1, true);
  page->canvas().SetCellDeviceRect(page->cell(1), {100, 150, 580, 470});
  EXPECT_EQ(page->CommitDrag(page->cell(1)), 1);
  const ChnlData& ch = rec().Chnl[1];
  EXPECT_EQ(ch.HPos, 0);
  EXPECT_EQ(ch.VPos, 0);
  EXPECT_EQ(ch.HAct, 480);
  EXPECT_EQ(ch.VAct, 320);
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0].payload[0], 1);
  EXPECT_EQ(
      (std::vector<uint8_t>(link.sent[0].payload.begin() + 1, link.sent[0].payload.begin() + 5)),
      (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST_F(MainPage, AMovedScreenTakesItsWindowsAlongAndSendsNothing) {
  rec().MosaicMode = 2;
  page->RelayoutOutputs();
  page->LockOutputs(false, false);
  // Screen 2 is at canvas (341, 33)-(661, 213).
  ASSERT_EQ(page->canvas().Press({500, 150}, false), page->cell(Output(2)));
  page->canvas().Move({520, 160});
  const std::optional<CellHandle> changed = page->canvas().Release();
  ASSERT_EQ(changed, page->cell(Output(2)));

  EXPECT_EQ(page->CommitDrag(*changed), std::nullopt);
  EXPECT_EQ(Device(Output(2)), (Rect{2166, 258, 4086, 1338}));
  EXPECT_EQ(Origin(1), (Point{2166, 258}));
  EXPECT_EQ(Origin(3), (Point{2166, 258}));
  EXPECT_EQ(Origin(0), MainPageLayout::kScreenOrigin);
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(MainPage, TheLogoWindowCannotBeDragged) {
  rec().LogoUsage = 1;
  rec().LogoOnOff = 1;
  SetLogoGeometry(0, {0, 0, 960, 540});
  page->UpdateWindow3(1);
  const Rect before = Device(3);
  ASSERT_EQ(before, (Rect{125, 198, 1085, 738}));

  const std::optional<CellHandle> pressed = page->canvas().Press({150, 100}, false);
  ASSERT_EQ(pressed, page->cell(3));
  EXPECT_EQ(page->MakeCurrent(*pressed), 3);
  page->canvas().Move({200, 150});
  EXPECT_EQ(page->canvas().Release(), std::nullopt);
  EXPECT_EQ(Device(3), before);
  EXPECT_EQ(page->Label(3), "LOGO");
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(MainPage, VideoSourceIsTheWindowsShareOfItsQuadrant) {
  // In a 352 x 240 frame a quadrant is 176 x 120; a window at (960, 540)
  // sized 480 x 320 of a 1920 x 1080 output covers 88, 60, 44 and 35.56 of it.
  constexpr Rect kTopLeft{88, 60, 132, 96};
  const auto inQuadrant = [&](int q) {
    return std::optional<Rect>(kTopLeft.Translated(q % 2 * 176, q / 2 * 120));
  };
  struct Case {
    const char* name;
    int pvwMode;
    int mosaicMode;
    int autoArrange;
    Flags program;
    Flags preview;
    int window;
    std::optional<Rect> source;
  };
  const Case cases[] = {
      {"normal: its own quadrant", 0, 0, 0, {}, {}, 2, inQuadrant(2)},
      {"auto arrangement 3: window 3 top right", 0, 0, 3, {}, {}, 3, inQuadrant(1)},
      {"auto arrangement 3: others their own", 0, 0, 3, {}, {}, 2, inQuadrant(2)},
      {"mosaic 3: window 1 bottom left", 0, 3, 0, {}, {}, 1, inQuadrant(2)},
      {"mosaic 3: window 2 top right", 0, 3, 0, {}, {}, 2, inQuadrant(1)},
      {"mosaic 3: window 3 its own", 0, 3, 0, {}, {}, 3, inQuadrant(3)},
      {"single, program", 1, 0, 0, {0, 0, 1, 0}, {}, 2, inQuadrant(1)},
      {"single, otherwise preview", 1, 0, 0, {}, {}, 3, inQuadrant(0)},
      {"dual, first program", 2, 0, 0, {1, 0, 0, 0}, {}, 0, inQuadrant(2)},
      {"dual, second program", 2, 0, 0, {0, 0, 0, 1}, {}, 3, inQuadrant(3)},
      {"dual, first preview", 2, 0, 0, {}, {0, 0, 1, 0}, 2, inQuadrant(0)},
      {"dual, second preview", 2, 0, 0, {}, {0, 1, 0, 0}, 1, inQuadrant(1)},
      {"dual, on neither", 2, 0, 0, {}, {}, 1, std::nullopt},
  };
  for (const Case& c : cases) {
    rec().PvwMode = c.pvwMode;
    rec().MosaicMode = c.mosaicMode;
    rec().MosaicAutoArr = c.autoArrange;
    SetStates(c.program, c.preview);
    SetGeometry(c.window, {960, 540, 1440, 860});
    EXPECT_EQ(page->VideoSource(c.window, 352, 240), c.source) << c.name;
  }
}

TEST_F(MainPage, VideoSourceRoundsHalfUpButTheLogosHeightIsTruncated) {
  // 640 x 480 frame: quadrants of 320 x 240, a sixth of the output across and
  // two ninths down.
  SetGeometry(0, {3, 9, 12, 1089});
  EXPECT_EQ(page->VideoSource(0, 640, 480), (Rect{1, 2, 3, 242}));

  rec().LogoUsage = 1;
  model.LogoSlotSel = 1;
  SetLogoGeometry(1, {3, 9, 12, 1088});
  // Down: 240 x 9 / 1080 = 2 and 240 x 1079 / 1080 = 239.8, both truncated.
  EXPECT_EQ(page->VideoSource(3, 640, 480), (Rect{321, 242, 323, 481}));
}

TEST_F(MainPage, VideoSourceIsNothingWithoutAnOutputSizeOrALogoSlot) {
  struct Case {
    const char* name;
    uint16_t hReso;
    uint16_t vReso;
    uint8_t logoSlot;
    int frameWidth;
  };
  const Case cases[] = {
      {"no output width", 0, 1080, 0, 352},
      {"no output height", 1920, 0, 0, 352},
      {"logo slot beyond the four", 1920, 1080, 4, 352},
      {"no frame", 1920, 1080, 0, 0},
  };
  rec().LogoUsage = 1;
  for (const Case& c : cases) {
    rec().HReso = c.hReso;
    rec().VReso = c.vReso;
    model.LogoSlotSel = c.logoSlot;
    EXPECT_EQ(page->VideoSource(3, c.frameWidth, 240), std::nullopt) << c.name;
  }
  EXPECT_EQ(page->VideoSource(4, 352, 240), std::nullopt);
}

TEST_F(MainPage, RebuildPutsEachWindowAtItsScreenPlusTheModelsPosition) {
  page->Zoom(2);
  rec().MosaicMode = 2;
  const Rect geometry[] = {
      {0, 0, 960, 540}, {100, 200, 740, 560}, {960, 540, 1920, 1080}, {10, 20, 30, 40}};
  for (int k = 0; k < kWindowCount; ++k) SetGeometry(k, geometry[k]);
  rec().Chnl[0].ChnlOnOff = 1;
  rec().Chnl[1].ChnlOnOff = 1;
  page->Rebuild();

  EXPECT_EQ(page->zoom(), 6.0);
  EXPECT_EQ(page->canvas().windowPair().x(), 6.0);
  const std::array<int, kWindowCount> screenOf{1, 2, 1, 2};
  for (int k = 0; k < kWindowCount; ++k) {
    const Point o = TopLeft(Output(screenOf[k]));
    EXPECT_EQ(Device(k), geometry[k].Translated(o.x, o.y)) << "window " << k;
    EXPECT_EQ(Cell(k).hidden(), k >= 2) << "window " << k;
  }
  EXPECT_EQ(page->Label(1), "PIP-1 : HDMI-1");
}

TEST_F(MainPage, RebuildKeepsAWindowThatNoLayoutRebasesOnItsScreen) {
  rec().MosaicMode = 4;
  model.MosaicPageA = 5;
  SetGeometry(2, {100, 200, 740, 560});
  page->Rebuild();
  EXPECT_EQ(Origin(2), MainPageLayout::kScreenOrigin);
  EXPECT_EQ(Device(2), (Rect{225, 398, 865, 758}));
}

TEST_F(MainPage, RebuildLabelsWindowsForTheSwitcherMode) {
  page->SetPageSize(1513, 738);
  rec().PvwMode = 1;
  SetStates({0, 1, 0, 0}, {1, 0, 0, 0});
  page->Rebuild();
  EXPECT_EQ(page->Label(0), "PVW : DVI-1");
  EXPECT_EQ(page->Label(1), "PGM : HDMI-1");
  EXPECT_EQ(Origin(1), TopLeft(kProgram1));
}

}  // namespace
}  // namespace qv
