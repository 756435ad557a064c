#include "pages/keyer/ZKeyerDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

using Keyer = KeyerControl::Keyer;

constexpr int kSetKeyer = 11, kQueryKeyer = 59;
constexpr int kKeyerList = 2050, kModeList = 2051, kReset = 2052, kRedLow = 2055,
              kGainOut = 2069;

class ZKeyerDlgTest : public ::testing::Test {
 protected:
  ZKeyerDlgTest() {
    DeviceStatusRecord& r = harness.model.rec;
    r.Chnl[1].ChnlOnOff = r.Chnl[3].ChnlOnOff = 1;
    for (KeyerInfo& k : r.Keyer) {
      k = {};
      k.KeyerOnOff = 1;
      k.KeyerRedL = 10;
      k.KeyerRedH = 200;
      k.KeyerGainIn = 20;
      k.KeyerGainOut = 30;
      k.KeyerGainBnd = 40;
    }
    page = std::make_unique<ZKeyerDlg>(harness.context);
    QObject::connect(page.get(), &ZKeyerDlg::message,
                     [this](const QString& text) { messages.push_back(text); });
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  const Payload& LastSent() const { return harness.link.sent.back().payload; }

  test::PageHarness harness;
  std::unique_ptr<ZKeyerDlg> page;
  std::vector<QString> messages;
};

TEST_F(ZKeyerDlgTest, AKeyerOfAWindowOffIsRefusedWithAMessage) {
  harness.model.rec.Chnl[3].ChnlOnOff = 0;
  harness.model.rec.Keyer[0].KeyerOnOff = 0;
  page->OnReply(ReplyKind::KeyerReply, 3);
  CGdipButton& onOff = Find<CGdipButton>(1165);
  QTest::mouseClick(&onOff, Qt::LeftButton);
  EXPECT_FALSE(onOff.state());
  EXPECT_TRUE(harness.link.sent.empty());
  EXPECT_EQ(messages, std::vector<QString>{"PIP3 Is Off"});
}

TEST_F(ZKeyerDlgTest, AFixedModeLocksTheFieldsAndIsAskedForAgainAMomentLater) {
  test::Choose(Find<CDropButton>(kModeList), 11);  // " Red On White1"
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kSetKeyer});
  EXPECT_EQ(LastSent()[1], 11);
  EXPECT_FALSE(Find<oRealEdit>(kRedLow).isEnabled());
  harness.core.scheduler.Advance(ZKeyerDlg::kQueryDelayMs - 1);
  EXPECT_EQ(harness.link.sent.size(), 1u);
  harness.core.scheduler.Advance(1);
  ASSERT_EQ(harness.link.SentTypes(), (std::vector<int>{kSetKeyer, kQueryKeyer}));
  EXPECT_EQ(LastSent()[0], 3);
}

TEST_F(ZKeyerDlgTest, AGainCommitSendsAllNineValuesAndResetKeepsTheGains) {
  test::TypeInto(Find<oRealEdit>(kGainOut), "50");
  ASSERT_EQ(harness.link.sent.size(), 1u);
  EXPECT_EQ(std::vector<uint8_t>(LastSent().begin() + 2, LastSent().begin() + 11),
            (std::vector<uint8_t>{10, 200, 0, 0, 0, 0, 20, 50, 40}));
  QTest::mouseClick(&Find<QPushButton>(kReset), Qt::LeftButton);
  EXPECT_EQ(std::vector<uint8_t>(LastSent().begin() + 1, LastSent().begin() + 11),
            (std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 255, 20, 50, 40}));
  EXPECT_EQ(Find<oRealEdit>(kRedLow).value(), 0);
  EXPECT_TRUE(Find<oRealEdit>(kRedLow).isEnabled());
}

TEST_F(ZKeyerDlgTest, ThePip1KeyerIsOfferedOnlyInItsMosaicMode) {
  CDropButton& keyers = Find<CDropButton>(kKeyerList);
  EXPECT_TRUE(keyers.entry(1).greyed);
  harness.model.rec.MosaicMode = 3;
  page->OnPageRequest(PageRequest::MosaicMode, 3, {});
  EXPECT_FALSE(keyers.entry(1).greyed);
  test::Choose(keyers, 1);
  EXPECT_EQ(page->keyer(), Keyer::Pip1);
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kQueryKeyer});
  EXPECT_EQ(LastSent()[0], 1);
  // Its gains are the PIP 1 keyer's own.
  harness.model.rec.Keyer[1].KeyerGainOut = 7;
  page->OnReply(ReplyKind::KeyerReply, 1);
  EXPECT_EQ(Find<oRealEdit>(kGainOut).value(), 7);
  harness.model.rec.MosaicMode = 2;
  page->OnReply(ReplyKind::FullStateReply, 0);
  EXPECT_EQ(page->keyer(), Keyer::Pip3);
  EXPECT_TRUE(keyers.entry(1).greyed);
}

}  // namespace
}  // namespace qv
