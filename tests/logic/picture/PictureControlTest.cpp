#include "logic/picture/PictureControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/RecordingLink.h"

namespace qv {
namespace {

using Field = PictureControl::Field;

constexpr int kSetPicture = 3, kPictureCommand = 52;

struct Fixture {
  Fixture() {
    model.rec.PicMode = PictureControl::kUserMode;
    model.rec.BrightLevel = 10;
    model.rec.Gamma = 2.2f;
    for (PictureSettings& p : model.rec.Picture) p.Contrast = 50;
    // Window 1 shows input 3, window 2 input 0.
    model.rec.Chnl[1].ChnlInput = 3;
    model.rec.Chnl[2].ChnlInput = 0;
  }
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  PictureControl control{encoder};

  std::vector<int> ContrastChanged() const {
    std::vector<int> records;
    for (int i = 0; i < kPictureRecordCount; ++i) {
      if (model.rec.Picture[i].Contrast != 50) records.push_back(i);
    }
    return records;
  }
};

TEST(PictureControl, AnAdjustmentWritesTheWindowsRecordsOnly) {
  Fixture f;
  const int group = f.model.SourceGroupOf(1);
  f.control.SetField(1, Field::Contrast, 70);
  EXPECT_EQ(f.ContrastChanged(), std::vector<int>{1 + 4 * group});

  Fixture all;
  all.control.SetAll(1, true);
  EXPECT_TRUE(all.link.sent.empty());  // the scope goes with the next payload
  all.control.SetField(1, Field::Contrast, 70);
  std::vector<int> window1;
  for (int g = 0; g < kSourceGroupCount; ++g) window1.push_back(1 + 4 * g);
  EXPECT_EQ(all.ContrastChanged(), window1);
  ASSERT_EQ(all.link.sent.size(), 1u);
  const Payload& p = all.link.sent[0].payload;
  EXPECT_EQ(all.link.sent[0].type, kSetPicture);
  EXPECT_EQ(p[4], 1);  // the window
  EXPECT_EQ(p[5], 1);  // all its records
  EXPECT_EQ(p[7], 70);
  // A value past the field's range is held to it.
  all.control.SetField(1, Field::Sharpness, 90);
  EXPECT_EQ(all.model.rec.Picture[1].Sharpness, 24);
}

TEST(PictureControl, SwitchesAndBoxesPutTheProcessorInTheUserMode) {
  struct Case {
    const char* name;
    void (*act)(PictureControl&);
    int mode, brightLevel, gammaByte;
  };
  const Case cases[] = {
      {"bright level off", [](PictureControl& c) { c.SwitchBrightLevel(0, false, 9); }, 7, 17, 22},
      {"bright level on", [](PictureControl& c) { c.SwitchBrightLevel(0, true, 9); }, 7, 9, 22},
      {"gamma off", [](PictureControl& c) { c.SwitchGamma(0, false, 1.5); }, 7, 10, 0},
      {"gamma on", [](PictureControl& c) { c.SwitchGamma(0, true, 1.5); }, 7, 10, 15},
      {"bright level box", [](PictureControl& c) { c.SetBrightLevel(0, 16); }, 7, 16, 22},
      {"gamma box", [](PictureControl& c) { c.SetGamma(0, 0.7); }, 7, 10, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.model.rec.PicMode = 4;
    c.act(f.control);
    ASSERT_EQ(f.link.sent.size(), 1u);
    const Payload& p = f.link.sent[0].payload;
    EXPECT_EQ(p[1], c.mode);
    EXPECT_EQ(p[2], c.brightLevel);
    EXPECT_EQ(p[3], c.gammaByte);
  }
}

TEST(PictureControl, AFixedModeShowsItsOwnValuesAndLocksTheAdjustments) {
  Fixture f;
  f.control.ChooseMode(0, 4);  // " Video "
  ASSERT_EQ(f.link.sent.size(), 1u);
  EXPECT_EQ(f.link.sent[0].payload[1], 4);
  const PictureControl::Shown video = f.control.Show(0);
  EXPECT_EQ(video.brightness, 48);
  EXPECT_EQ(video.contrast, 52);
  EXPECT_EQ(video.saturation, 55);
  EXPECT_FALSE(video.brightOn());
  EXPECT_FALSE(video.adjustable);
  EXPECT_FALSE(video.gainsAdjustable);
  EXPECT_EQ(video.colourTemperature, PictureControl::kUserColourTemperature);
  const PictureControl::Shown lowLight = (f.control.ChooseMode(0, 3), f.control.Show(0));
  EXPECT_EQ(lowLight.brightLevel, 8);
  EXPECT_DOUBLE_EQ(lowLight.gamma, 1.5);
}

TEST(PictureControl, OnlyTheUserColourTemperatureOpensTheGains) {
  Fixture f;
  f.control.ChooseColourTemperature(2, 2);  // " 6500K "
  EXPECT_FALSE(f.control.Show(2).gainsAdjustable);
  EXPECT_EQ(f.model.rec.Picture[f.model.PictureRecordOf(2)].ColorTemp, 2);
  f.control.ChooseColourTemperature(2, 8);
  EXPECT_TRUE(f.control.Show(2).gainsAdjustable);
  EXPECT_EQ(f.link.sent.size(), 2u);
}

TEST(PictureControl, ResetsAskOnceAndThePayloadAfterIsPlainAgain) {
  Fixture f;
  f.model.rec.Picture[7].Contrast = 90;
  f.control.ResetPictures(1);
  EXPECT_EQ(f.model.rec.Picture[7].Contrast, 50);
  ASSERT_EQ(f.link.SentTypes(), (std::vector<int>{kSetPicture, kPictureCommand}));
  EXPECT_EQ(f.link.sent[0].payload[0], 0);  // reset every record
  f.control.ResetColour(1);
  ASSERT_EQ(f.link.sent.size(), 4u);
  EXPECT_EQ(f.link.sent[2].payload[0], 1);
  EXPECT_EQ(f.link.sent[2].payload[15], 1);  // reset the colour
  EXPECT_EQ(f.link.sent[3].type, kPictureCommand);
  f.control.SetField(1, Field::Hue, 40);
  EXPECT_EQ(f.link.sent[4].payload[0], 1);
  EXPECT_EQ(f.link.sent[4].payload[15], 0);
}

TEST(PictureControl, ValuesFromTheWireAreShownWithinTheirRanges) {
  Fixture f;
  f.model.rec.PicMode = 99;
  f.model.rec.BrightLevel = -4;
  f.model.rec.Gamma = std::numeric_limits<float>::quiet_NaN();
  f.model.rec.Picture[f.model.PictureRecordOf(0)].ColorTemp = 1000;
  const PictureControl::Shown s = f.control.Show(0);
  EXPECT_EQ(s.mode, PictureControl::kUserMode);
  EXPECT_EQ(s.brightLevel, 0);
  EXPECT_EQ(s.gamma, 0);
  EXPECT_EQ(s.colourTemperature, PictureControl::kUserColourTemperature);
  f.control.ChooseMode(0, 8);
  f.control.SetField(7, Field::Hue, 1);
  EXPECT_TRUE(f.link.sent.empty());
}

}  // namespace
}  // namespace qv
