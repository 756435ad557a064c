#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "logic/shell/InputPanelLayout.h"

namespace qv {
namespace {

using Rect = InputPanelLayout::Rect;
using Icon = InputPanelLayout::Icon;

// Cards as a full state read reports them: DVI, HDMI, DVI, HDMI, DP, SDI,
// then the two expansion slots.
DeviceModel ReadModel(int32_t slot6, int32_t slot7, uint8_t dp1Split, uint8_t dp2Split) {
  DeviceModel m;
  const int32_t cards[kInputSlotCount] = {4, 6, 4, 6, 8, 7, slot6, slot7};
  std::copy(std::begin(cards), std::end(cards), m.rec.InputSrc);
  m.rec.DpMode[0] = dp1Split;
  m.rec.DpMode[1] = dp2Split;
  m.RelabelInputsFromRecord();
  m.ApplyDpModes();
  return m;
}

TEST(InputPanelLayout, TilesFormOneRowWithHalvesAboveAndBelowTheirInput) {
  struct Case {
    double scale;
    int tile;
    Rect rect;
  };
  const Case cases[] = {
      {1.0, 0, {123, 25, 191, 50}},
      {1.0, 1, {231, 25, 299, 50}},
      {1.0, 4, {555, 25, 623, 50}},
      {1.0, 7, {879, 25, 947, 50}},
      {1.0, 8, {555, 0, 623, 16}},
      {1.0, 9, {555, 32, 623, 48}},
      {1.0, 10, {771, 0, 839, 16}},
      {1.0, 11, {771, 32, 839, 48}},
      {1.5, 0, {123, 25, 225, 50}},
      {1.5, 7, {1117, 25, 1219, 50}},
      {1.5, 9, {691, 32, 793, 48}},
      // A fractional pitch (114.8) loses its fraction at every step.
      {1.1, 0, {123, 25, 197, 50}},
      {1.1, 1, {237, 25, 311, 50}},
      {1.1, 3, {465, 25, 539, 50}},
      {1.1, 8, {579, 0, 653, 16}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InputPanelLayout(c.scale).Tile(c.tile), c.rect) << c.scale << " tile " << c.tile;
  }
}

TEST(InputPanelLayout, CardsAndDpModesDecideWhichTilesShowAndTheirIcons) {
  struct Case {
    const char* name;
    std::function<DeviceModel()> make;
    std::set<int> shown;
    std::vector<std::pair<int, Icon>> icons;
  };
  const Case cases[] = {
      {"before any read",
       [] { return DeviceModel(); },
       {0, 1, 2, 3, 4},
       {{0, Icon::Dvi}, {1, Icon::Hdmi}, {2, Icon::Dvi}, {3, Icon::Hdmi}, {4, Icon::Dp}}},
      {"DP card and VGA card, whole inputs",
       [] { return ReadModel(8, 3, 0, 0); },
       {0, 1, 2, 3, 4, 6, 7},
       {{6, Icon::Dp}, {7, Icon::Vga}}},
      {"both DP inputs split",
       [] { return ReadModel(8, 3, 1, 1); },
       {0, 1, 2, 3, 7, 8, 9, 10, 11},
       {{8, Icon::Dp}, {9, Icon::Dp}, {10, Icon::Dp}, {11, Icon::Dp}}},
      {"SDI card, slot 7 reports no card",
       [] { return ReadModel(7, 12, 0, 0); },
       {0, 1, 2, 3, 4, 6},
       {{6, Icon::Sdi}}},
      {"HDMI board split in two, USB disk",
       [] {
         DeviceModel m = ReadModel(6, 9, 0, 0);
         m.rec.CmpBoardExist = 1;
         m.rec.CmpBoardIpSrc[1] = 6;
         m.rec.CmpBoardActNoSrc = 1;
         m.rec.CmpBoardActDual = 1;
         m.ApplyCompositeBoard();
         return m;
       },
       {0, 1, 2, 3, 4, 7, 10, 11},
       {{7, Icon::UsbDisk}, {10, Icon::Hdmi}, {11, Icon::Hdmi}}},
      {"DVI and unknown card types",
       [] { return ReadModel(4, 1, 0, 0); },
       {0, 1, 2, 3, 4, 6, 7},
       {{6, Icon::Dvi}, {7, Icon::None}}},
  };
  for (const Case& c : cases) {
    const DeviceModel m = c.make();
    ASSERT_TRUE(m.InputLabels[InputPanelLayout::kHiddenTile].usable) << c.name;
    std::set<int> shown;
    for (int i = 0; i < kInputCodeCount; ++i) {
      if (InputPanelLayout::Face(m, i, 0).shown) shown.insert(i);
    }
    EXPECT_EQ(shown, c.shown) << c.name;
    for (const auto& [tile, icon] : c.icons) {
      EXPECT_EQ(InputPanelLayout::Face(m, tile, 0).icon, icon) << c.name << " tile " << tile;
    }
  }
}

TEST(InputPanelLayout, HitTestsStopAtTheEdgesOfShownTiles) {
  const DeviceModel whole = ReadModel(8, 3, 0, 0);
  const DeviceModel split = ReadModel(8, 3, 1, 1);
  const InputPanelLayout layout;
  struct Case {
    const DeviceModel* model;
    int x, y;
    int tile;   // pressed tile
    int strip;  // display name strip
  };
  const Case cases[] = {
      {&whole, 123, 25, 0, -1},   // top-left corner
      {&whole, 190, 25, 0, -1},   // last column
      {&whole, 191, 30, -1, -1},  // right edge lies outside
      {&whole, 122, 30, -1, -1}, {&whole, 123, 24, -1, -1},
      {&whole, 123, 65, 0, -1},  // built-in label under the tile still presses it
      {&whole, 123, 66, -1, 0},  // display name strip
      {&whole, 190, 81, -1, 0},  {&whole, 123, 82, -1, -1},
      {&whole, 670, 30, -1, -1},  // SDI-1's place: never drawn, never pressed
      {&whole, 670, 70, -1, -1}, {&whole, 560, 30, 4, -1},
      {&whole, 560, 5, -1, -1},  // halves not in use
      {&split, 560, 30, 8, -1},  // DP-1's tile is not in use: its left half's label
      {&split, 555, 0, 8, -1},   {&split, 555, 31, 8, -1},
      {&split, 555, 32, 9, 8},  // right half over the left half's name strip
      {&split, 622, 63, 9, -1},  {&split, 555, 64, -1, 9},
      {&split, 780, 5, 10, -1},  {&split, 780, 40, 11, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(layout.TileAt(*c.model, c.x, c.y), c.tile) << c.x << "," << c.y;
    EXPECT_EQ(layout.NameStripAt(*c.model, c.x, c.y), c.strip) << c.x << "," << c.y;
  }
}

TEST(InputPanelLayout, MarkerStripsAndIconsAroundATile) {
  const InputPanelLayout layout;
  EXPECT_EQ(layout.LoopOutMarker(0), (Rect{107, 25, 207, 50}));
  EXPECT_EQ(layout.LoopOutMarker(3), (Rect{431, 25, 531, 50}));
  EXPECT_EQ(layout.NameStrip(1), (Rect{231, 66, 299, 82}));
  EXPECT_EQ(InputPanelLayout::PresetNameStrip({100, 600, 140, 626}), (Rect{90, 628, 150, 648}));

  struct Case {
    int tile, width, height;
    Rect placed;
  };
  const Case cases[] = {
      {0, 30, 20, {138, 25, 168, 45}},  // narrower than half the tile: own size
      {0, 34, 24, {123, 25, 187, 49}},  // half the tile: 64 x 24
      {0, 80, 30, {123, 25, 187, 49}}, {9, 30, 20, {555, 32, 623, 48}},  // halves fill their tile
      {10, 64, 24, {771, 0, 839, 16}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InputPanelLayout::IconRect(c.tile, layout.Tile(c.tile), c.width, c.height), c.placed)
        << "tile " << c.tile << " icon " << c.width;
  }
}

TEST(InputPanelLayout, SwitchAreasClearTheTiles) {
  for (double scale : {1.0, 1.25}) {
    const InputPanelLayout layout(scale);
    const int markerEnd = layout.LoopOutMarker(7).right;
    for (int width : {1280, 1600}) {
      EXPECT_GT(layout.RightSwitchArea(width).left, markerEnd) << scale << " " << width;
      EXPECT_EQ(layout.TopButtonArea(width).left, layout.RightSwitchArea(width).left);
    }
    EXPECT_LE(layout.RightSwitchArea(1600).right, 1600);
    EXPECT_LT(InputPanelLayout::LeftSwitchArea().right, layout.LoopOutMarker(0).left);
  }
}

TEST(InputPanelLayout, TimingText) {
  struct Case {
    InputResolution reso;
    const char* text;
  };
  const Case cases[] = {
      {{0, 1920, 1080, 6000, 0}, "1920x1080 60Hz"},
      {{0, 1280, 720, 5994, 0}, "1280x720 59Hz"},
      {{0, 1920, 540, 5994, 1}, "1080i 59Hz"},
      {{0, 720, 288, 5000, 1}, "576i 50Hz"},
  };
  for (const Case& c : cases) EXPECT_EQ(InputPanelLayout::TimingText(c.reso), c.text);
}

TEST(InputPanelLayout, FaceShowsSignalTimingAndThePanelWindowsInput) {
  DeviceModel m = ReadModel(8, 3, 1, 1);
  m.rec.InputState[4] = 1;  // DP-1, split
  m.rec.InputReso[4] = {0, 1920, 1080, 6000, 0};
  m.rec.InputState[6] = 1;  // DP-2, split
  m.rec.InputReso[6] = {0, 1920, 540, 5994, 1};
  m.rec.InputReso[1] = {0, 1280, 720, 6000, 0};  // no signal: timing not shown
  m.rec.Chnl[0].ChnlInput = 1;
  m.rec.Chnl[2].ChnlInput = 9;
  m.InputLabels[9].displayName = "Stage";

  struct Case {
    int tile, panelWindow;
    bool signal, highlighted;
    const char* timing;
  };
  const Case cases[] = {
      {8, 0, true, false, ""},
      {9, 0, true, false, "1920x1080 60Hz"},  // the halves' timing, once under the right one
      {9, 2, true, true, "1920x1080 60Hz"},
      {10, 0, true, false, ""},
      {11, 0, true, false, "1080i 59Hz"},
      {1, 0, false, true, ""},
      {1, 2, false, false, ""},
  };
  for (const Case& c : cases) {
    const auto face = InputPanelLayout::Face(m, c.tile, c.panelWindow);
    EXPECT_EQ(face.signal, c.signal) << c.tile;
    EXPECT_EQ(face.highlighted, c.highlighted) << c.tile << " window " << c.panelWindow;
    EXPECT_EQ(face.timing, c.timing) << c.tile;
  }
  const auto right = InputPanelLayout::Face(m, 9, 2);
  EXPECT_EQ(right.label, " DP1-R ");
  EXPECT_EQ(right.displayName, "Stage");
}

}  // namespace
}  // namespace qv
