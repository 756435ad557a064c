#include "pages/edid/ZEdidDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

constexpr int kSetEdid = 10;
constexpr int kInputList = 1990, kHActive = 1992, kFps = 1996, kHBlank = 1998, kApply = 2001,
              kMore = 2003;

class ZEdidDlgTest : public ::testing::Test {
 protected:
  ZEdidDlgTest() {
    DeviceModel& m = harness.model;
    const int32_t cards[kInputSlotCount] = {4, 6, 4, 6, 8, 7, 6, 3};
    std::copy(std::begin(cards), std::end(cards), m.rec.InputSrc);
    for (int j = 0; j < kEdidRecordCount; ++j) {
      m.rec.Edid[j] = {static_cast<uint8_t>(j < 5 ? j : j + 1), 0, 1920, 1080, 6000, 280, 45};
    }
    for (int i = 0; i < 8; ++i) {
      m.InputLabels[i].label = "IN" + std::to_string(i + 1);
      m.InputLabels[i].usable = true;
    }
    page = std::make_unique<ZEdidDlg>(harness.context);
    QObject::connect(page.get(), &ZEdidDlg::message,
                     [this](const QString& text) { messages.push_back(text); });
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  oRealEdit& Field(int id) { return Find<oRealEdit>(id); }
  void Choose(int input) {
    CDropButton& list = Find<CDropButton>(kInputList);
    for (int i = 0; i < list.count(); ++i) {
      if (list.entry(i).value == input) test::Choose(list, i);
    }
  }

  test::PageHarness harness;
  std::unique_ptr<ZEdidDlg> page;
  std::vector<QString> messages;
};

TEST_F(ZEdidDlgTest, TheListNeverOffersInputFive) {
  CDropButton& list = Find<CDropButton>(kInputList);
  std::vector<int> listed;
  for (int i = 0; i < list.count(); ++i) listed.push_back(list.entry(i).value);
  EXPECT_EQ(listed, (std::vector<int>{0, 1, 2, 3, 4, 6, 7}));
  EXPECT_EQ(list.selectedText(), "IN1");
}

TEST_F(ZEdidDlgTest, ARateBeyondTheInputsClockIsLowered) {
  Choose(1);  // HDMI-1: 165 MHz
  test::TypeInto(Field(kFps), "120");
  EXPECT_EQ(Field(kFps).value(), 66);
  // DisplayPort takes 300 MHz.
  Choose(4);
  test::TypeInto(Field(kFps), "120");
  EXPECT_EQ(Field(kFps).value(), 120);
  // The hidden blanking counts too.
  Choose(0);
  test::TypeInto(Field(kHActive), "3840");
  EXPECT_EQ(Field(kHActive).value(), 2164);
  EXPECT_TRUE(harness.link.sent.empty()) << "a commit only holds the field";
}

TEST_F(ZEdidDlgTest, ApplyStoresWholeHertzAndSendsTheHiddenBlanking) {
  harness.model.rec.Edid[5].Fps = 5994;  // input 6
  harness.model.rec.Edid[5].HBlank = 160;
  Choose(6);
  EXPECT_EQ(Field(kFps).value(), 59);
  EXPECT_EQ(Field(kHBlank).value(), 160);
  EXPECT_TRUE(Field(kHBlank).isHidden() || !Field(kHBlank).isVisible());
  QTest::mouseClick(&Find<QPushButton>(kApply), Qt::LeftButton);
  EXPECT_EQ(harness.model.rec.Edid[5].Fps, 5900);
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kSetEdid});
  const Payload& p = harness.link.sent[0].payload;
  EXPECT_EQ(p[0], 6);
  EXPECT_EQ(p[1], 1) << "More off";
  EXPECT_EQ(p[8] | p[9] << 8, 160);
  QTest::mouseClick(&Find<QPushButton>(kMore), Qt::LeftButton);
  EXPECT_TRUE(Field(kHBlank).isVisible());
  QTest::mouseClick(&Find<QPushButton>(kApply), Qt::LeftButton);
  EXPECT_EQ(harness.link.sent.back().payload[1], 2);
}

TEST_F(ZEdidDlgTest, TheProcessorsResultIsShown) {
  harness.model.EventCode = 0;
  harness.model.EventArg2 = 1;
  page->OnReply(ReplyKind::DeviceEvent, 0);
  harness.model.EventArg2 = 0;
  page->OnReply(ReplyKind::DeviceEvent, 0);
  page->OnReply(ReplyKind::DeviceEvent, 10);  // all captions reset: not the page's
  EXPECT_EQ(messages, (std::vector<QString>{"Edid Apply Ok", "Edid Apply Failed"}));
}

}  // namespace
}  // namespace qv
