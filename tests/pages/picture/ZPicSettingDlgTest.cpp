#include "pages/picture/ZPicSettingDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "pages/common/WindowButtons.h"
#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/ControlId.h"
#include "widgets/oRealEdit.h"
#include "widgets/oSliderEdit.h"

namespace qv {
namespace {

constexpr int kSetPicture = 3, kPictureCommand = 52;
constexpr int kModeList = 1800, kBrightSwitch = 1803, kContrast = 1814, kBrightness = 1812,
              kRed = 1826;

class ZPicSettingDlgTest : public ::testing::Test {
 protected:
  ZPicSettingDlgTest() {
    DeviceStatusRecord& r = harness.model.rec;
    r.PicMode = 7;
    r.BrightLevel = 10;
    r.Gamma = 2.0f;
    for (int i = 0; i < kPictureRecordCount; ++i) {
      PictureSettings& p = r.Picture[i];
      p = {};
      p.Brightness = static_cast<uint8_t>(i);  // tells the records apart
      p.Contrast = 50;
      p.ColorTemp = 8;
    }
    page = std::make_unique<ZPicSettingDlg>(harness.context);
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
  }

  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  oSliderEdit& Slider(int id) { return Find<oSliderEdit>(id); }
  void Type(int sliderId, const QString& text) { test::TypeInto(Slider(sliderId).box(), text); }
  void Choose(int listId, int index) { test::Choose(Find<CDropButton>(listId), index); }
  QPushButton& Named(const QString& text) {
    for (QPushButton* b : page->findChildren<QPushButton*>()) {
      if (b->text() == text) return *b;
    }
    throw std::runtime_error("no button " + text.toStdString());
  }
  WindowButtons& Windows() { return *page->findChild<WindowButtons*>(); }

  test::PageHarness harness;
  std::unique_ptr<ZPicSettingDlg> page;
};

TEST_F(ZPicSettingDlgTest, AFixedModeShowsItsValuesAndLocksTheAdjustments) {
  Choose(kModeList, 4);  // " Video "
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kSetPicture});
  EXPECT_EQ(harness.link.sent[0].payload[1], 4);
  EXPECT_EQ(Slider(kBrightness).value(), 48);
  EXPECT_EQ(Slider(kContrast).value(), 52);
  EXPECT_FALSE(Slider(kContrast).isEnabled());
  EXPECT_FALSE(Find<CGdipButton>(kBrightSwitch).isEnabled());
  Choose(kModeList, 7);  // " User "
  EXPECT_TRUE(Slider(kContrast).isEnabled());
  EXPECT_EQ(Slider(kContrast).value(), 50);
}

TEST_F(ZPicSettingDlgTest, TheBrightLevelSwitchTurnsItOffWithSeventeen) {
  CGdipButton& sw = Find<CGdipButton>(kBrightSwitch);
  EXPECT_EQ(sw.text(), "0n");
  QTest::mouseClick(&sw, Qt::LeftButton);
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(harness.link.sent[0].payload[1], 7);
  EXPECT_EQ(harness.link.sent[0].payload[2], 17);
  EXPECT_EQ(sw.text(), "0ff");
  EXPECT_FALSE(Slider(1802).isEnabled());
}

TEST_F(ZPicSettingDlgTest, AllEditsEveryRecordOfTheChosenWindowOnly) {
  QTest::mouseClick(Windows().button(1), Qt::LeftButton);
  ASSERT_EQ(page->window(), 1);
  QTest::mouseClick(&Named("ALL"), Qt::LeftButton);
  EXPECT_TRUE(harness.link.sent.empty());
  Type(kContrast, "70");
  for (int i = 0; i < kPictureRecordCount; ++i) {
    EXPECT_EQ(harness.model.rec.Picture[i].Contrast, i % 4 == 1 ? 70 : 50) << i;
  }
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(harness.link.sent[0].payload[4], 1);
  EXPECT_EQ(harness.link.sent[0].payload[5], 1);
}

TEST_F(ZPicSettingDlgTest, AnInputChangeShowsThatInputsRecord) {
  DeviceStatusRecord& r = harness.model.rec;
  const int before = harness.model.PictureRecordOf(0);
  EXPECT_EQ(Slider(kBrightness).value(), before);
  r.Chnl[0].ChnlInput = 9;  // its own source group
  page->OnPageRequest(PageRequest::InputChanged, 0, {});
  const int after = harness.model.PictureRecordOf(0);
  ASSERT_NE(after, before);
  EXPECT_EQ(Slider(kBrightness).value(), after);
  Type(kBrightness, "77");
  EXPECT_EQ(r.Picture[after].Brightness, 77);
  EXPECT_EQ(r.Picture[before].Brightness, before);
}

TEST_F(ZPicSettingDlgTest, ResetPictureSettingsAsksOnceAndTheColourTemperatureOpensTheGains) {
  QTest::mouseClick(&Named("Reset Picture Settings"), Qt::LeftButton);
  ASSERT_EQ(harness.link.SentTypes(), (std::vector<int>{kSetPicture, kPictureCommand}));
  EXPECT_EQ(harness.link.sent[0].payload[0], 0);
  EXPECT_EQ(harness.model.rec.Picture[9].Brightness, 50);
  Choose(1822, 2);  // " 6500K "
  EXPECT_EQ(harness.link.sent.back().payload[0], 1);
  EXPECT_FALSE(Slider(kRed).isEnabled());
  Choose(1822, 8);
  EXPECT_TRUE(Slider(kRed).isEnabled());
}

TEST_F(ZPicSettingDlgTest, TwoPanelModeChoosesTheFirstPanelsPreviewWindow) {
  DeviceStatusRecord& r = harness.model.rec;
  r.PvwMode = 2;
  r.PgmState[0] = r.PgmState[1] = 1;
  r.PvwState[2] = r.PvwState[3] = 1;
  page->OnReply(ReplyKind::PvwModeReply, 0);
  EXPECT_EQ(page->window(), 2);
  EXPECT_EQ(Windows().buttons()[2].label, "PVW1");
  EXPECT_TRUE(harness.link.sent.empty());
}

}  // namespace
}  // namespace qv
