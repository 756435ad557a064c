#include "pages/mosaic/ZMosaicDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "pages/mosaic/ArrangementButton.h"
#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CGdipButton.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

using test::Request;

constexpr int kSetMosaicCell = 6;
constexpr int kHStart = 2111, kWidth = 2115, kHTotal = 2119, kReset = 2122;

class ZMosaicDlgTest : public ::testing::Test {
 protected:
  ZMosaicDlgTest() {
    DeviceStatusRecord& r = harness.model.rec;
    r.MosaicMode = 2;
    r.MosaicAutoArr = 0;
    for (int c = 0; c < kMosaicCellCount; ++c) {
      r.CellHPos[c] = 300;
      r.CellVPos[c] = 0;
      r.CellHAct[c] = 1600;
      r.CellVAct[c] = 1080;
      r.CellHEnd[c] = 1920;
      r.CellVEnd[c] = 1080;
    }
    r.LogoUsage = 1;
    page = std::make_unique<ZMosaicDlg>(harness.context);
    test::RecordRequests(*page, requests);
    QObject::connect(page.get(), &ZMosaicDlg::waitingNotice, [this] { ++waits; });
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
    requests.clear();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  std::vector<int> ShownArrangements() {
    std::vector<int> shown;
    for (auto* b : page->findChildren<ArrangementButton*>()) {
      if (b->isVisibleTo(page.get())) shown.push_back(b->arrangement());
    }
    std::sort(shown.begin(), shown.end());
    return shown;
  }

  test::PageHarness harness;
  std::unique_ptr<ZMosaicDlg> page;
  std::vector<Request> requests;
  int waits = 0;
};

TEST_F(ZMosaicDlgTest, FourPanelsTakeWindowThreeFromTheLogoAndStartInArrangementFive) {
  QTest::mouseClick(&Find<QPushButton>(2104), Qt::LeftButton);
  EXPECT_EQ(harness.model.rec.MosaicMode, 5);
  EXPECT_EQ(harness.model.rec.LogoUsage, 0);
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::MosaicMode, 5},
                                            {PageRequest::Arrangement, 5},
                                            {PageRequest::UpdateWindow3, 1}}));
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(ShownArrangements(), (std::vector<int>{5, 6, 7}));
  // The same panel button again sends nothing.
  const std::size_t sent = harness.link.sent.size();
  QTest::mouseClick(&Find<QPushButton>(2104), Qt::LeftButton);
  EXPECT_EQ(harness.link.sent.size(), sent);
}

TEST_F(ZMosaicDlgTest, TheHighlightedArrangementSendsNothingAndAnotherIsSent) {
  ASSERT_EQ(page->arrangement(), 0);
  page->ChooseArrangement(0);
  EXPECT_TRUE(harness.link.sent.empty());
  page->ChooseArrangement(1);
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(harness.link.sent[0].payload[0], 1);
  EXPECT_EQ(harness.link.sent[0].payload[2], 1);
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::Arrangement, 1}}));
}

TEST_F(ZMosaicDlgTest, OnePanelOffersNoArrangement) {
  QTest::mouseClick(&Find<QPushButton>(2100), Qt::LeftButton);
  EXPECT_TRUE(ShownArrangements().empty());
}

TEST_F(ZMosaicDlgTest, ACellTotalBelowItsWidthShrinksItAndResetSendsTheResetOnce) {
  test::TypeInto(Find<oRealEdit>(kHTotal), "1000");
  EXPECT_EQ(Find<oRealEdit>(kWidth).value(), 1000);
  EXPECT_EQ(Find<oRealEdit>(kHStart).value(), 0);
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(harness.link.sent[0].type, kSetMosaicCell);
  EXPECT_EQ(harness.link.sent[0].payload[0], 2);
  EXPECT_EQ(harness.model.rec.CellHAct[0], 1000);
  QTest::mouseClick(&Find<QPushButton>(kReset), Qt::LeftButton);
  ASSERT_EQ(harness.link.sent.size(), 2u);
  EXPECT_EQ(harness.link.sent[1].payload[28], 1);
  EXPECT_EQ(harness.model.MosaicPageB, 0);
  EXPECT_EQ(Find<oRealEdit>(kWidth).value(), 1920);
}

TEST_F(ZMosaicDlgTest, SwitchingOffKeepsThePanelVariantAndLocksTheFields) {
  CGdipButton& onOff = Find<CGdipButton>(1165);
  ASSERT_TRUE(onOff.state());
  QTest::mouseClick(&onOff, Qt::LeftButton);
  EXPECT_EQ(harness.model.rec.MosaicMode, 0);
  EXPECT_FALSE(Find<oRealEdit>(kWidth).isEnabled());
  EXPECT_EQ(page->panel(), 1);
  EXPECT_EQ(requests.front(), Request(PageRequest::MosaicMode, 0));
  QTest::mouseClick(&onOff, Qt::LeftButton);
  EXPECT_EQ(harness.model.rec.MosaicMode, 2);
}

}  // namespace
}  // namespace qv
