#include "pages/feather/ZUL_FeatherDlg.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"

namespace qv {
namespace {

using test::Request;

constexpr int kSetFeather = 35;
constexpr int kFirstSharp = 2082, kSecondLevel = 2085, kToggle = 2086;

class ZUL_FeatherDlgTest : public ::testing::Test {
 protected:
  ZUL_FeatherDlgTest() {
    harness.model.rec.Chnl[3].ChnlOnOff = 1;
    page = std::make_unique<ZUL_FeatherDlg>(harness.context);
    test::RecordRequests(*page, requests);
    page->show();
  }
  void Reload(int mosaicMode) {
    harness.model.rec.MosaicMode = mosaicMode;
    page->OnReply(ReplyKind::FeatherReply, 0);
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }

  test::PageHarness harness;
  std::unique_ptr<ZUL_FeatherDlg> page;
  std::vector<Request> requests;
};

TEST_F(ZUL_FeatherDlgTest, ARefusedSwitchStaysOffSilentlyAndAnAcceptedOneLocksTheLayers) {
  Reload(5);
  requests.clear();
  CGdipButton& toggle = Find<CGdipButton>(kToggle);
  QTest::mouseClick(&toggle, Qt::LeftButton);
  EXPECT_FALSE(toggle.state());
  EXPECT_TRUE(harness.link.sent.empty());
  EXPECT_TRUE(requests.empty());
  EXPECT_FALSE(Find<CDropButton>(kFirstSharp).isEnabled());

  Reload(2);
  requests.clear();
  QTest::mouseClick(&toggle, Qt::LeftButton);
  EXPECT_TRUE(toggle.state());
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(harness.link.sent[0].type, kSetFeather);
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::LockLayers, 1}}));
  EXPECT_TRUE(Find<CDropButton>(kFirstSharp).isEnabled());
}

TEST_F(ZUL_FeatherDlgTest, TheFirstGroupEditsTheWindowTheMosaicModeNames) {
  EXPECT_EQ(page->firstWindow(), 2);  // before any reply
  Reload(3);
  EXPECT_EQ(page->firstWindow(), 1);
  harness.model.FeatherOnOff = 1;
  Reload(3);
  test::Choose(Find<CDropButton>(kFirstSharp), 3);  // "Rectangle Up"
  EXPECT_EQ(harness.model.FeatherSharp[1], 4);
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(harness.link.sent[0].payload[9], 1);
  test::Choose(Find<CDropButton>(kSecondLevel), 2);
  EXPECT_EQ(harness.model.FeatherLevel[3], 2);
  EXPECT_EQ(harness.link.sent[1].payload[9], 3);
  // Every reload repeats the lock with the state it shows.
  requests.clear();
  Reload(3);
  Reload(3);
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::LockLayers, 1},
                                            {PageRequest::LockLayers, 1}}));
}

}  // namespace
}  // namespace qv
