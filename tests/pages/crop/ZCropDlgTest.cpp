#include "pages/crop/ZCropDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "pages/crop/CropPreview.h"
#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CGdipButton.h"
#include "widgets/ControlId.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

using test::Request;

constexpr int kSetCrop = 5;
constexpr int kHStart = 1851, kWidth = 1855;

class ZCropDlgTest : public ::testing::Test {
 protected:
  ZCropDlgTest() {
    for (CropSettings& c : harness.model.rec.Crop) {
      c = {.CropOnOff = 1, .HPos = 0, .VPos = 0, .HAct = 1920, .VAct = 1080, .HTotal = 1920,
           .VTotal = 1080};
    }
    page = std::make_unique<ZCropDlg>(harness.context);
    test::RecordRequests(*page, requests);
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  void Type(int id, const QString& text) { test::TypeInto(Find<oRealEdit>(id), text); }
  CropSettings& Record(int window) {
    return harness.model.rec.Crop[harness.model.PictureRecordOf(window)];
  }

  test::PageHarness harness;
  std::unique_ptr<ZCropDlg> page;
  std::vector<Request> requests;
};

TEST_F(ZCropDlgTest, TheCropIsHeldInsideTheInputFrame) {
  page->ChooseWindow(1);
  Type(kWidth, "1000");
  Type(kHStart, "1500");
  EXPECT_EQ(Find<oRealEdit>(kHStart).value(), 920);
  EXPECT_EQ(Record(1).HPos, 920);
  EXPECT_EQ(Record(1).HAct, 1000);
  ASSERT_FALSE(harness.link.sent.empty());
  EXPECT_EQ(harness.link.sent.back().type, kSetCrop);
  EXPECT_EQ(harness.link.sent.back().payload[0], 1);
  EXPECT_EQ(harness.link.sent.back().payload[10], 0);
  const int group = harness.model.SourceGroupOf(1);
  EXPECT_EQ(requests.back(), Request(PageRequest::CropChanged, group * 256 + 1));
  // 920 of 1920 in a 130 pixel frame: 62.3; 1000: 67.7.
  EXPECT_EQ(page->preview().area(), (Rect{62, 0, 130, 100}));
}

TEST_F(ZCropDlgTest, ResetOnlyWhileTheCropIsOn) {
  CGdipButton& onOff = Find<CGdipButton>(1165);
  QTest::mouseClick(&onOff, Qt::LeftButton);
  EXPECT_EQ(Record(0).CropOnOff, 0);
  EXPECT_FALSE(Find<oRealEdit>(kHStart).isEnabled());
  ASSERT_EQ(harness.link.sent.size(), 1u);
  QPushButton& reset = Find<QPushButton>(1858);
  QTest::mouseClick(&reset, Qt::LeftButton);
  EXPECT_EQ(harness.link.sent.size(), 1u);
  QTest::mouseClick(&onOff, Qt::LeftButton);
  QTest::mouseClick(&reset, Qt::LeftButton);
  ASSERT_EQ(harness.link.sent.size(), 3u);
  EXPECT_EQ(harness.link.sent[2].payload[10], 1);
}

TEST_F(ZCropDlgTest, AnInputChangeEditsThatInputsRecordAndTotalsOfZeroStillDraw) {
  CropSettings& before = Record(0);
  harness.model.rec.Chnl[0].ChnlInput = 9;
  CropSettings& after = Record(0);
  ASSERT_NE(&before, &after);
  after = {.CropOnOff = 1, .HPos = 10, .VPos = 20, .HAct = 30, .VAct = 40, .HTotal = 0, .VTotal = 0};
  page->OnPageRequest(PageRequest::InputChanged, 0, {});
  EXPECT_EQ(Find<oRealEdit>(kHStart).value(), 10);
  EXPECT_EQ(page->preview().area(), (Rect{10, 20, 40, 60}));
  Type(kHStart, "100");
  EXPECT_EQ(after.HPos, 100);
  EXPECT_EQ(before.HPos, 0);
}

}  // namespace
}  // namespace qv
