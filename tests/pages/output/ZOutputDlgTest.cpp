#include "pages/output/ZOutputDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "pages/common/WindowButtons.h"
#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/ControlId.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

using test::Request;

constexpr int kSetOutputTiming = 2, kSetWindowGeometry = 4, kQueryGeometry = 54,
              kCaptionQuery = 70;
constexpr int kResolutionList = 1744;
constexpr int kHActive = 1702, kVActive = 1704, kFps = 1706, kHTotal = 1710, kHSync = 1714,
              kHStart = 1726, kWidth = 1730;
constexpr int kHPol = 1722;

class ZOutputDlgTest : public ::testing::Test {
 protected:
  ZOutputDlgTest() {
    DeviceStatusRecord& r = harness.model.rec;
    r.ResoIndex = 10;
    r.HReso = 1920;
    r.VReso = 1080;
    r.Fps = 6000;
    r.HTotal = 2200;
    r.VTotal = 1125;
    r.HSync = 44;
    r.VSync = 5;
    r.Hbp = 148;
    r.Vbp = 36;
    r.Chnl[0] = {.ChnlOnOff = 1, .HPos = 0, .VPos = 0, .HAct = 1920, .VAct = 1080};
    r.Chnl[2] = {.ChnlOnOff = 1, .HPos = 100, .VPos = 50, .HAct = 1000, .VAct = 500,
                 .ChnlRotation = 3};
    page = std::make_unique<ZOutputDlg>(harness.context);
    test::RecordRequests(*page, requests);
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
    requests.clear();
  }

  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  oRealEdit& Number(int id) { return Find<oRealEdit>(id); }
  QPushButton& Button(int id) { return Find<QPushButton>(id); }
  // The operator picking the entry from the opened list.
  void Choose(int listId, int index) { test::Choose(Find<CDropButton>(listId), index); }
  void Type(int id, const QString& text) { test::TypeInto(Number(id), text); }

  std::vector<std::pair<int, int>> Sent() const {
    std::vector<std::pair<int, int>> sent;
    for (const auto& c : harness.link.sent) sent.emplace_back(c.type, c.payload[0]);
    return sent;
  }

  test::PageHarness harness;
  std::unique_ptr<ZOutputDlg> page;
  std::vector<Request> requests;
};

TEST_F(ZOutputDlgTest, TheCustomisedEntryOnlyUnlocksItsFields) {
  EXPECT_FALSE(Number(kHActive).isEnabled());
  EXPECT_FALSE(Button(1707).isEnabled());
  Choose(kResolutionList, 18);
  EXPECT_TRUE(harness.link.sent.empty());
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(harness.model.rec.ResoIndex, 10);
  for (int id : {kHActive, kVActive, kFps}) EXPECT_TRUE(Number(id).isEnabled());
  EXPECT_TRUE(Button(1707).isEnabled());
  EXPECT_TRUE(Button(1708).isEnabled());
}

TEST_F(ZOutputDlgTest, AFixedEntryIsSentAndTheCanvasFollows) {
  Choose(kResolutionList, 4);  // 1280 x 720 60 Hz
  EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{kSetOutputTiming, 4},
                                                      {kQueryGeometry, 0},
                                                      {kQueryGeometry, 1},
                                                      {kQueryGeometry, 2},
                                                      {kQueryGeometry, 3},
                                                      {kCaptionQuery, 0}}));
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::OutputResolution, 0}}));
  EXPECT_EQ(Number(kHActive).value(), 1280);
  EXPECT_FALSE(Number(kHActive).isEnabled());
}

TEST_F(ZOutputDlgTest, TypedCustomisedValuesAreHeldToTheClock) {
  Choose(kResolutionList, 18);
  Type(kVActive, "768");
  Type(kFps, "60");
  Type(kHActive, "4080");
  EXPECT_EQ(Number(kHActive).value(), 3316);
  Type(kHActive, "1920");
  Type(kVActive, "1080");
  Type(kHActive, "3000");
  EXPECT_EQ(Number(kHActive).value(), 2346);
  Type(kHActive, "1920");
  Type(kFps, "120");
  EXPECT_DOUBLE_EQ(Number(kFps).value(), 72.49);
  EXPECT_TRUE(harness.link.sent.empty());
}

TEST_F(ZOutputDlgTest, TheTimingSectionRaisesItsTotalsWithoutSending) {
  Choose(kResolutionList, 18);
  EXPECT_FALSE(Number(kHTotal).isVisibleTo(page.get()));
  QTest::mouseClick(&Button(1708), Qt::LeftButton);
  ASSERT_TRUE(page->moreOn());
  EXPECT_TRUE(Number(kHTotal).isVisibleTo(page.get()));
  // 2100 + 128 + 148 + 32 is more than 2200.
  Type(kHActive, "2100");
  Type(kHSync, "128");
  EXPECT_EQ(harness.model.rec.HSync, 128);
  EXPECT_EQ(Number(kHTotal).value(), 2408);
  Choose(kHPol, 1);
  EXPECT_EQ(harness.model.rec.HPol, 1);
  EXPECT_TRUE(harness.link.sent.empty());
  // The totals reach the model only with Apply.
  EXPECT_EQ(harness.model.rec.HTotal, 2200);
}

TEST_F(ZOutputDlgTest, ApplyWithTheSectionClosedSendsItsValuesToo) {
  harness.model.rec.HTotal = 2300;
  page->OnReply(ReplyKind::OutputNotice, 0);
  requests.clear();
  Choose(kResolutionList, 18);
  Type(kHActive, "1600");
  Type(kVActive, "900");
  QTest::mouseClick(&Button(1707), Qt::LeftButton);
  ASSERT_FALSE(harness.link.sent.empty());
  const Payload& p = harness.link.sent[0].payload;
  EXPECT_EQ(harness.link.sent[0].type, kSetOutputTiming);
  EXPECT_EQ(p[0], 18);
  EXPECT_EQ(p[1] | p[2] << 8, 1600);
  EXPECT_EQ(p[3] | p[4] << 8, 900);
  EXPECT_EQ(p[7] | p[8] << 8, 2300);
  EXPECT_EQ(p[21], 0);  // the section was closed
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::OutputResolution, 0}}));
}

TEST_F(ZOutputDlgTest, HidingThePageDropsWhatWasNotApplied) {
  Choose(kResolutionList, 18);
  Type(kHActive, "1600");
  page->hide();
  EXPECT_EQ(Number(kHActive).value(), 1920);
  EXPECT_FALSE(Number(kHActive).isEnabled());
  EXPECT_EQ(Find<CDropButton>(kResolutionList).selectedIndex(), 10);
  // Closed, the page commits nothing.
  Number(kHStart).SetValue(5);
  emit Number(kHStart).committed(5);
  EXPECT_TRUE(harness.link.sent.empty());
}

TEST_F(ZOutputDlgTest, WindowFieldsAreLimitedByTheActiveFields) {
  page->OnPageRequest(PageRequest::SelectWindow, 2, {});
  EXPECT_EQ(page->window(), 2);
  EXPECT_EQ(Number(kHStart).value(), 100);
  Type(kHStart, "1500");
  EXPECT_EQ(Number(kHStart).value(), 920);
  EXPECT_EQ(harness.model.rec.Chnl[2].HPos, 920);
  EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{kSetWindowGeometry, 2}}));
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::PlaceWindow, 2}}));
  Type(kWidth, "3000");
  EXPECT_EQ(harness.model.rec.Chnl[2].HAct, 1000);
}

TEST_F(ZOutputDlgTest, HalfScreenTakesTheHalfTheWindowIsIn) {
  page->ChooseWindow(2);
  harness.model.rec.Chnl[2].HPos = 1200;
  QTest::mouseClick(&Button(1734), Qt::LeftButton);
  const ChnlData& ch = harness.model.rec.Chnl[2];
  EXPECT_EQ(ch.HPos, 960);
  EXPECT_EQ(ch.HAct, 960);
  EXPECT_EQ(ch.VAct, 1080);
  EXPECT_EQ(Number(kHStart).value(), 960);
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::PlaceWindow, 2}}));
}

TEST_F(ZOutputDlgTest, TheActiveRotationSendsNothingAndThePictureShowsEachOne) {
  page->ChooseWindow(2);  // mirrored left-right
  const QImage mirrored = page->preview();
  page->ChooseRotation(3);
  EXPECT_TRUE(harness.link.sent.empty());
  page->ChooseRotation(5);  // 180°
  EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{kSetWindowGeometry, 2}}));
  EXPECT_EQ(harness.link.sent[0].payload[10], 5);
  // A half turn is the left-right mirror turned upside down.
  EXPECT_EQ(page->preview(), mirrored.mirrored(false, true));
  page->ChooseRotation(1);  // a quarter turn: the picture stands up
  EXPECT_GT(page->preview().height(), page->preview().width());
}

TEST_F(ZOutputDlgTest, PreviewProgramModeRelabelsAndChoosesThePreviewWindow) {
  DeviceStatusRecord& r = harness.model.rec;
  r.PvwMode = 1;
  r.PgmState[0] = 1;
  r.PvwState[1] = 1;
  page->OnReply(ReplyKind::PvwModeReply, 0);
  const WindowButtons& buttons = *page->findChild<WindowButtons*>();
  EXPECT_EQ(buttons.buttons()[0].label, "PGM");
  EXPECT_FALSE(buttons.buttons()[0].enabled);
  EXPECT_EQ(buttons.buttons()[1].label, "PVW");
  EXPECT_EQ(page->window(), 1);
}

TEST_F(ZOutputDlgTest, AnIndexOutsideTheTableShowsTheProcessorsTimingAsCustomised) {
  DeviceStatusRecord& r = harness.model.rec;
  r.ResoIndex = 77;
  r.HReso = 1366;
  r.VReso = 768;
  r.Fps = 5000;
  r.Chnl[0].ChnlRotation = 99;
  page->OnReply(ReplyKind::FullStateReply, 0);
  EXPECT_EQ(Find<CDropButton>(kResolutionList).selectedIndex(), 18);
  EXPECT_EQ(Number(kHActive).value(), 1366);
  EXPECT_DOUBLE_EQ(Number(kFps).value(), 50.0);
  EXPECT_TRUE(Number(kHActive).isEnabled());
  EXPECT_EQ(page->findChild<WindowButtons*>()->selected(), 0);
  EXPECT_TRUE(harness.link.sent.empty());
}

}  // namespace
}  // namespace qv
