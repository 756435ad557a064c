#include "logic/feather/FeatherControl.h"

#include <gtest/gtest.h>

#include "support/RecordingLink.h"

namespace qv {
namespace {

constexpr int kSetFeather = 35;

struct Fixture {
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  FeatherControl control{encoder};
};

TEST(FeatherControl, FeatheringSwitchesOnOnlyWhereItCanWork) {
  struct Case {
    const char* name;
    int mosaicMode;
    std::array<int, 3> windowsOn;  // windows 1, 2, 3
    void (*extra)(DeviceModel&);
    bool accepted;
  };
  const auto none = [](DeviceModel&) {};
  const Case cases[] = {
      {"no mosaic", 0, {1, 1, 1}, none, false},
      {"one panel", 1, {1, 1, 1}, none, false},
      {"three panels", 4, {1, 1, 1}, none, false},
      {"four panels", 5, {1, 1, 1}, none, false},
      {"two panels, only window 1 on", 2, {1, 0, 0}, none, false},
      {"two panels, window 3 on", 2, {0, 0, 1}, none, true},
      {"two panels, window 2 on", 2, {0, 1, 0}, none, true},
      {"two panels over window 1, window 1 on", 3, {1, 0, 0}, none, true},
      {"two panels over window 1, only window 2 on", 3, {0, 1, 0}, none, false},
      {"a keyer on", 2, {0, 0, 1}, [](DeviceModel& m) { m.rec.Keyer[1].KeyerOnOff = 1; }, false},
      {"a caption on", 2, {0, 0, 1},
       [](DeviceModel& m) { m.CaptionSlot[2][FeatherControl::kCaptionOnByte] = 1; }, false},
      {"logo with border", 2, {0, 0, 1},
       [](DeviceModel& m) {
         m.rec.LogoUsage = 1;
         m.rec.LogoAux = 1;
       },
       false},
      {"logo under the picture", 2, {0, 0, 1},
       [](DeviceModel& m) {
         m.rec.LogoUsage = 1;
         m.rec.LogoPos = 1;
       },
       false},
      {"logo on top without border", 2, {0, 0, 1},
       [](DeviceModel& m) { m.rec.LogoUsage = 1; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.model.rec.MosaicMode = c.mosaicMode;
    for (int w = 1; w <= 3; ++w) f.model.rec.Chnl[w].ChnlOnOff = static_cast<uint8_t>(c.windowsOn[w - 1]);
    c.extra(f.model);
    EXPECT_EQ(f.control.Switch(true), c.accepted);
    EXPECT_EQ(f.model.FeatherOnOff, c.accepted ? 1 : 0);
    ASSERT_EQ(f.link.sent.size(), c.accepted ? 1u : 0u);
    if (c.accepted) {
      EXPECT_EQ(f.link.sent[0].type, kSetFeather);
      EXPECT_EQ(f.link.sent[0].payload[0], 1);
      EXPECT_EQ(f.link.sent[0].payload[9], 3);
    }
  }
  Fixture off;
  EXPECT_TRUE(off.control.Switch(false));
  EXPECT_EQ(off.link.sent.size(), 1u);
}

TEST(FeatherControl, ShapesAndLevelsGoWithTheirWindow) {
  Fixture f;
  f.control.SetSharp(1, 4);  // "Rectangle Up"
  f.control.SetLevel(3, 2);
  EXPECT_EQ(f.model.FeatherSharp[1], 4);
  EXPECT_EQ(f.model.FeatherLevel[3], 2);
  ASSERT_EQ(f.link.sent.size(), 2u);
  EXPECT_EQ(f.link.sent[0].payload[3], 4);  // window 1's shape
  EXPECT_EQ(f.link.sent[0].payload[9], 1);
  EXPECT_EQ(f.link.sent[1].payload[8], 2);  // window 3's level
  EXPECT_EQ(f.link.sent[1].payload[9], 3);
  f.control.SetSharp(0, 1);
  f.control.SetLevel(2, 4);
  EXPECT_EQ(f.link.sent.size(), 2u);
  EXPECT_EQ(FeatherControl::FirstWindow(2, 1), 2);
  EXPECT_EQ(FeatherControl::FirstWindow(3, 2), 1);
  EXPECT_EQ(FeatherControl::FirstWindow(5, 1), 1);
}

}  // namespace
}  // namespace qv
