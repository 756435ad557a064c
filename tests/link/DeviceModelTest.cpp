#include <gtest/gtest.h>

#include <algorithm>

#include "link/DeviceModel.h"

namespace qv {
namespace {

TEST(DeviceModel, StartsWithTheDocumentedDefaults) {
  DeviceModel m;
  EXPECT_EQ(m.TargetAddress, 110);
  EXPECT_EQ(m.NetworkMode, 1);
  EXPECT_EQ(m.PicFlagB, 1);
  EXPECT_EQ(m.MosaicPageA, 5);
  EXPECT_EQ(m.ResoPresets.size(), 19u);
  EXPECT_EQ(m.ResoPresets[3].text, "1280 x 720    59.94Hz");
  EXPECT_EQ(m.ResoPresets[3].rate, 5994);
  EXPECT_EQ(m.GenlockLabels.size(), 13u);
  EXPECT_EQ(m.ColorTempLabels.back(), " User ");
  EXPECT_EQ(m.InputLabels[0].label, " DVI-1 ");
  EXPECT_TRUE(m.InputLabels[0].isFirst);
  EXPECT_FALSE(m.InputLabels[1].isFirst);
  EXPECT_TRUE(m.InputLabels[5].usable);
  EXPECT_FALSE(m.InputLabels[6].usable);
  const WindowRect r3 = m.WindowDefaultRect[3];
  EXPECT_EQ(r3.x, 480);
  EXPECT_EQ(r3.y, 320);
  EXPECT_EQ(r3.width, 480);
  EXPECT_EQ(r3.height, 320);
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&m.rec);
  EXPECT_TRUE(std::all_of(raw, raw + kDeviceRecordSize, [](uint8_t b) { return b == 0; }));
}

TEST(DeviceModel, InputCodeSplitsDisplayPortHalves) {
  const std::pair<int, int> cases[] = {{0, 0},  {1, 10}, {5, 50},  {7, 70},
                                       {8, 40}, {9, 41}, {10, 60}, {11, 61}};
  for (auto [code, wire] : cases) EXPECT_EQ(InputCode(code), wire) << code;
}

struct GroupCase {
  const char* name;
  int input;
  int32_t slot6Card;
  bool board;
  int32_t activeSource;
  int group;
};

TEST(DeviceModel, SourceGroupFollowsInputAndCards) {
  const GroupCase cases[] = {
      {"hdmi1", 1, 0, false, 0, 1},
      {"dp1 left", 8, 0, false, 0, 4},
      {"dp1 right", 9, 0, false, 0, 8},
      {"slot6", 6, 0, false, 0, 6},
      {"slot6 hdmi board src0", 6, 6, true, 0, 10},
      {"slot6 hdmi board src1", 6, 6, true, 1, 6},
      {"slot6 hdmi board src2", 6, 6, true, 2, 0},
      {"slot6 hdmi no board", 6, 6, false, 0, 6},
      {"dp2 left hdmi no board", 10, 6, false, 0, 6},
      {"dp2 left hdmi board src0", 10, 6, true, 0, 10},
      {"dp2 left hdmi board src1", 10, 6, true, 1, 6},
      {"dp2 left dp card", 10, 8, false, 0, 6},
      {"dp2 left neither card", 10, 3, false, 0, 0},
      {"dp2 right not hdmi", 11, 8, false, 0, 9},
      {"dp2 right hdmi no board", 11, 6, false, 0, 0},
      {"dp2 right hdmi board src0", 11, 6, true, 0, 11},
      {"dp2 right hdmi board src1", 11, 6, true, 1, 9},
      {"code from the wire beyond the inputs", 200, 0, false, 0, 0},
  };
  for (const GroupCase& c : cases) {
    DeviceModel m;
    m.rec.Chnl[2].ChnlInput = static_cast<uint8_t>(c.input);
    m.rec.InputSrc[6] = c.slot6Card;
    m.rec.CmpBoardExist = c.board;
    m.rec.CmpBoardActNoSrc = c.activeSource;
    EXPECT_EQ(m.SourceGroupOf(2), c.group) << c.name;
    EXPECT_LT(m.PictureRecordOf(2), kPictureRecordCount) << c.name;
  }
}

TEST(DeviceModel, EdidRecordSkipsOneAfterSdi) {
  const std::pair<int, int> cases[] = {{0, 0}, {5, 5}, {6, 5}, {7, 6}, {8, -1}, {255, -1}};
  for (auto [code, record] : cases) EXPECT_EQ(DeviceModel::EdidRecordOf(code), record) << code;
}

TEST(DeviceModel, DpModesSplitAndJoinTheFirstDisplayPort) {
  DeviceModel m;
  m.rec.Chnl[1].ChnlInput = 4;
  m.rec.DpMode[0] = 1;
  m.ApplyDpModes();
  EXPECT_FALSE(m.InputLabels[4].usable);
  EXPECT_TRUE(m.InputLabels[8].usable && m.InputLabels[9].usable);
  EXPECT_EQ(m.rec.Chnl[1].ChnlInput, 8);

  m.rec.Chnl[2].ChnlInput = 9;
  m.rec.DpMode[0] = 0;
  m.ApplyDpModes();
  EXPECT_TRUE(m.InputLabels[4].usable);
  EXPECT_FALSE(m.InputLabels[8].usable || m.InputLabels[9].usable);
  EXPECT_EQ(m.rec.Chnl[1].ChnlInput, 4);
  EXPECT_EQ(m.rec.Chnl[2].ChnlInput, 4);
}

TEST(DeviceModel, SecondDisplayPortOnlyWithADpCardInSlot6) {
  DeviceModel m;
  m.rec.Chnl[0].ChnlInput = 6;
  m.rec.DpMode[1] = 1;
  m.rec.InputSrc[6] = 6;  // HDMI card: the second DP mode means nothing
  m.ApplyDpModes();
  EXPECT_EQ(m.rec.Chnl[0].ChnlInput, 6);
  EXPECT_FALSE(m.InputLabels[10].usable);

  m.rec.InputSrc[6] = 8;
  m.ApplyDpModes();
  EXPECT_EQ(m.rec.Chnl[0].ChnlInput, 10);
  EXPECT_FALSE(m.InputLabels[6].usable);
  EXPECT_EQ(m.InputLabels[10].label, " DP2-L ");
  EXPECT_EQ(m.InputLabels[11].label, " DP2-R ");

  m.rec.Chnl[3].ChnlInput = 11;
  m.rec.DpMode[1] = 0;
  m.ApplyDpModes();
  EXPECT_EQ(m.rec.Chnl[0].ChnlInput, 6);
  EXPECT_EQ(m.rec.Chnl[3].ChnlInput, 6);
  EXPECT_EQ(m.InputLabels[6].label, " DP-2");
  EXPECT_TRUE(m.InputLabels[6].usable);
}

TEST(DeviceModel, RelabelsExpansionSlotsByCardType) {
  struct Case {
    int32_t card6, card7;
    const char* label6;
    const char* label7;
    bool usable6, usable7;
  };
  const Case cases[] = {
      {3, 3, " VGA-1", " VGA-2", true, true},     {4, 4, " DVI-3", " DVI-4", true, true},
      {6, 6, " HDMI-3", " HDMI-4", true, true},   {7, 7, " SDI-2", " SDI-3", true, true},
      {8, 8, " DP-2", " EXT-2 ", true, true},  // DP only in slot 6
      {9, 9, " UDISK-1", " UDISK-2", true, true}, {10, -1, " EXT-1 ", " EXT-2 ", false, false},
  };
  for (const Case& c : cases) {
    DeviceModel m;
    for (int i = 0; i < 6; ++i) m.rec.InputSrc[i] = 0;
    m.rec.InputSrc[6] = c.card6;
    m.rec.InputSrc[7] = c.card7;
    m.RelabelInputsFromRecord();
    EXPECT_EQ(m.InputLabels[6].label, c.label6) << c.card6;
    EXPECT_EQ(m.InputLabels[7].label, c.label7) << c.card7;
    EXPECT_EQ(m.InputLabels[6].usable, c.usable6) << c.card6;
    EXPECT_EQ(m.InputLabels[7].usable, c.usable7) << c.card7;
    EXPECT_FALSE(m.InputLabels[8].usable);
  }
}

TEST(DeviceModel, CompositeBoardDecidesSlot6) {
  struct Case {
    const char* name;
    int32_t active;
    int32_t card;
    uint8_t dual;
    const char* label6;
    const char* label10;
    int windowInputAfter;  // a window that showed 6 before
  };
  const Case cases[] = {
      {"dp single", 0, 8, 0, " DP-2", " DP2-L ", 6},
      {"dp dual", 1, 8, 1, " DP-2", " DP2-L ", 10},
      {"dvi dual", 0, 6, 1, " DVI-3*", " DVI3*-L ", 10},
      {"hdmi dual", 1, 6, 1, " HDMI-3", " HDMI3-L ", 10},
      {"hdmi single", 1, 6, 0, " HDMI-3", " DP2-L ", 6},
  };
  for (const Case& c : cases) {
    DeviceModel m;
    m.rec.CmpBoardExist = 1;
    m.rec.CmpBoardActNoSrc = c.active;
    m.rec.CmpBoardIpSrc[c.active] = c.card;
    m.rec.CmpBoardActDual = c.dual;
    m.rec.CmpBoardActHAct = 3840;
    m.rec.CmpBoardActVAct = 2160;
    m.rec.CmpBoardActFps = 3000;
    m.rec.CmpBoardActInterlace = 1;
    m.rec.Chnl[1].ChnlInput = 6;
    m.ApplyCompositeBoard();
    EXPECT_EQ(m.rec.InputSrc[6], c.card) << c.name;
    EXPECT_EQ(m.rec.InputReso[6].HAct, 3840) << c.name;
    EXPECT_EQ(m.rec.InputReso[6].Fps, 3000) << c.name;
    EXPECT_EQ(m.rec.InputReso[6].Interlace, 1) << c.name;
    EXPECT_EQ(m.rec.DpMode[1], c.dual) << c.name;
    EXPECT_EQ(m.InputLabels[6].label, c.label6) << c.name;
    EXPECT_EQ(m.InputLabels[10].label, c.label10) << c.name;
    EXPECT_EQ(m.InputLabels[6].usable, c.dual == 0) << c.name;
    EXPECT_EQ(m.InputLabels[10].usable, c.dual == 1) << c.name;
    EXPECT_EQ(m.rec.Chnl[1].ChnlInput, c.windowInputAfter) << c.name;
  }
}

TEST(DeviceModel, CompositeBoardIgnoredWhenAbsentOrSourceUnknown) {
  for (auto [exist, active] : {std::pair{0, 0}, std::pair{1, 3}, std::pair{1, -1}}) {
    DeviceModel m;
    m.rec.CmpBoardExist = static_cast<uint8_t>(exist);
    m.rec.CmpBoardActNoSrc = active;
    m.rec.CmpBoardIpSrc[0] = 8;
    m.rec.InputSrc[6] = 3;
    m.ApplyCompositeBoard();
    EXPECT_EQ(m.rec.InputSrc[6], 3) << exist << "," << active;
  }
}

}  // namespace
}  // namespace qv
