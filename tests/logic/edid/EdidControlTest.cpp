#include "logic/edid/EdidControl.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/RecordingLink.h"

namespace qv {
namespace {

constexpr int kSetEdid = 10, kQueryEdid = 50;

class EdidControlTest : public ::testing::Test {
 protected:
  EdidControlTest() {
    // DVI, HDMI, DVI, HDMI, DP, SDI, HDMI, VGA.
    const int32_t cards[kInputSlotCount] = {4, 6, 4, 6, 8, 7, 6, 3};
    std::copy(std::begin(cards), std::end(cards), model.rec.InputSrc);
    for (int j = 0; j < kEdidRecordCount; ++j) {
      model.rec.Edid[j] = {static_cast<uint8_t>(j < 5 ? j : j + 1), 0, 1920, 1080, 6000, 280, 45};
    }
    for (int i = 0; i < kInputCodeCount; ++i) {
      model.InputLabels[i].label = "IN" + std::to_string(i);
      model.InputLabels[i].usable = i < 8;
    }
  }
  std::vector<int> Listed() const {
    std::vector<int> inputs;
    for (const auto& e : EdidControl::Inputs(model)) inputs.push_back(e.input);
    return inputs;
  }

  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  EdidControl control{encoder};
};

TEST_F(EdidControlTest, TheListOffersTheInputsWithAnEdidOfTheirOwn) {
  struct Case {
    const char* name;
    int32_t card6, card7;
    bool usable6, usable7;
    uint8_t dpMode2;
    std::vector<int> listed;
  };
  const Case cases[] = {
      {"all usable: not input 5", 6, 3, true, true, 0, {0, 1, 2, 3, 4, 6, 7}},
      {"6 and 7 not usable", 6, 3, false, false, 0, {0, 1, 2, 3, 4}},
      {"6 split HDMI though not usable", 6, 3, false, false, 1, {0, 1, 2, 3, 4, 6}},
      {"7 a DP card, split", 6, 8, false, false, 1, {0, 1, 2, 3, 4, 6, 7}},
      {"an SDI card and a USB disk are left out", 7, 9, true, true, 1, {0, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model.rec.InputSrc[6] = c.card6;
    model.rec.InputSrc[7] = c.card7;
    model.InputLabels[6].usable = c.usable6;
    model.InputLabels[7].usable = c.usable7;
    model.rec.DpMode[1] = c.dpMode2;
    EXPECT_EQ(Listed(), c.listed);
  }
  // Not input 5 even with a card the list would take.
  model.rec.InputSrc[5] = 4;
  model.rec.InputSrc[6] = 6;
  EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2, 3, 4, 6}));
  model.InputLabels[1].displayName = "Camera";
  EXPECT_EQ(EdidControl::Inputs(model).at(1), (EdidControl::Entry{1, "Camera"}));
}

TEST_F(EdidControlTest, ARateInHundredthsShowsItsWholeHertzAndApplyStoresThem) {
  model.rec.Edid[5].Fps = 5994;  // input 6
  const auto shown = EdidControl::Shown(model, 6);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->fps, 59);
  EXPECT_FALSE(EdidControl::Shown(model, 5)) << "no record carries input 5";

  ASSERT_TRUE(control.Apply(6, *shown, false));
  EXPECT_EQ(model.rec.Edid[5].Fps, 5900);
  ASSERT_EQ(link.SentTypes(), std::vector<int>{kSetEdid});
  const Payload& p = link.sent[0].payload;
  EXPECT_EQ(p[0], 6);
  EXPECT_EQ(p[1], 1) << "standard blanking";
  EXPECT_EQ(p[6] | p[7] << 8, 5900);
  // With More the hidden fields' blanking goes too, under operation 2.
  ASSERT_TRUE(control.Apply(2, {1280, 720, 50, 370, 30}, true));
  EXPECT_EQ(link.sent[1].payload[1], 2);
  EXPECT_EQ(link.sent[1].payload[8] | link.sent[1].payload[9] << 8, 370);
  EXPECT_FALSE(control.Apply(5, *shown, true));
  EXPECT_EQ(link.sent.size(), 2u);
}

TEST_F(EdidControlTest, RestoreAsksForTheFactoryEdidAndReadsItBack) {
  ASSERT_TRUE(control.Restore(7));
  ASSERT_EQ(link.SentTypes(), (std::vector<int>{kSetEdid, kQueryEdid}));
  EXPECT_EQ(link.sent[0].payload[0], 7);
  EXPECT_EQ(link.sent[0].payload[1], 0);
  EXPECT_EQ(link.sent[1].payload[0], 7);
  EXPECT_FALSE(control.Restore(5));
  EXPECT_EQ(EdidControl::ClockLimit(model, 4), EdidTimingLimits::kHighRateHz);
}

}  // namespace
}  // namespace qv
