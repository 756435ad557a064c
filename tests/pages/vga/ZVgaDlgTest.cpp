#include "pages/vga/ZVgaDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/oRealEdit.h"

namespace qv {
namespace {

constexpr int kSetVga = 14, kQueryVga = 49;
constexpr int kHPosition = 1965, kAutoAdjust = 1968, kInputSource = 1969, kCode = 1971,
              kEnter = 1972, kRedGain = 1976, kCalibrate = 1985;
constexpr int kVgaSlot = 7;

class ZVgaDlgTest : public ::testing::Test {
 protected:
  ZVgaDlgTest() {
    DeviceModel& m = harness.model;
    m.rec.InputSrc[0] = 4;
    m.rec.InputSrc[kVgaSlot] = 3;
    m.InputLabels[kVgaSlot].label = "VGA-2";
    m.rec.Chnl[0].ChnlInput = kVgaSlot;
    page = std::make_unique<ZVgaDlg>(harness.context);
    QObject::connect(page.get(), &ZVgaDlg::message,
                     [this](const QString& text) { messages.push_back(text); });
    QObject::connect(page.get(), &ZVgaDlg::waitingNotice,
                     [this](const QString& text) { waiting.push_back(text); });
    page->OnReply(ReplyKind::FullStateReply, 0);
    page->show();
    harness.link.sent.clear();
  }
  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  void Click(int id) { QTest::mouseClick(&Find<QAbstractButton>(id), Qt::LeftButton); }
  void Unlock(const QString& code) {
    test::TypeInto(Find<oRealEdit>(kCode), code);
    Click(kEnter);
  }
  CSxGroupBox& DdcGroup() {
    for (CSxGroupBox* g : page->findChildren<CSxGroupBox*>()) {
      if (g->caption() == "DDC Setting") return *g;
    }
    throw std::runtime_error("no DDC group");
  }

  test::PageHarness harness;
  std::unique_ptr<ZVgaDlg> page;
  std::vector<QString> messages, waiting;
};

TEST_F(ZVgaDlgTest, TheUnlockCodeOpensTheConverterSection) {
  EXPECT_EQ(Find<QLabel>(kInputSource).text(), "Input Source\nVGA-2");
  const int ddcTop = DdcGroup().y();
  EXPECT_TRUE(Find<oRealEdit>(kRedGain).isHidden());
  Unlock("1234");
  EXPECT_EQ(messages, std::vector<QString>{"Password Is Error"});
  EXPECT_FALSE(page->unlocked());
  Unlock("4936");
  EXPECT_TRUE(page->unlocked());
  EXPECT_FALSE(Find<oRealEdit>(kRedGain).isHidden());
  EXPECT_FALSE(Find<QPushButton>(kCalibrate).isHidden());
  EXPECT_EQ(DdcGroup().y(), ddcTop + ZVgaDlg::kConverterDrop);
  EXPECT_FALSE(Find<QPushButton>(kEnter).isEnabled());
  EXPECT_TRUE(harness.link.sent.empty());

  // Another page and back: locked again, the code cleared.
  page->hide();
  page->OnPageShown(PageId::Vga, false);
  page->show();
  EXPECT_FALSE(page->unlocked());
  EXPECT_TRUE(Find<oRealEdit>(kRedGain).isHidden());
  EXPECT_EQ(DdcGroup().y(), ddcTop);
  EXPECT_TRUE(Find<oRealEdit>(kCode).text().isEmpty());
  EXPECT_TRUE(Find<QPushButton>(kEnter).isEnabled());
}

TEST_F(ZVgaDlgTest, ANonAnalogueInputOnWindowZeroKeepsTheUnlockBoxShut) {
  harness.model.rec.Chnl[0].ChnlInput = 0;
  page->OnPageRequest(PageRequest::InputChanged, 0, {});
  EXPECT_FALSE(Find<oRealEdit>(kCode).isEnabled());
  EXPECT_FALSE(Find<QPushButton>(kEnter).isEnabled());
  EXPECT_TRUE(harness.link.sent.empty());
  // VGA on a PIP: adjusted, but its converter is not unlocked there.
  harness.model.rec.Chnl[2].ChnlInput = kVgaSlot;
  page->OnPageRequest(PageRequest::InputChanged, 2, {});
  EXPECT_EQ(harness.link.SentTypes(), std::vector<int>{kQueryVga});
  EXPECT_FALSE(Find<oRealEdit>(kCode).isEnabled());
}

TEST_F(ZVgaDlgTest, ANegativePositionTravelsAsASignedByte) {
  test::TypeInto(Find<oRealEdit>(kHPosition), "-100");
  ASSERT_EQ(harness.link.SentTypes(), std::vector<int>{kSetVga});
  const Payload& p = harness.link.sent[0].payload;
  EXPECT_EQ(p[0], 0);  // display group
  EXPECT_EQ(p[1], kVgaSlot);
  EXPECT_EQ(p[2], 0);  // set
  EXPECT_EQ(p[6], 0x9C);
  // Shown back as it was typed.
  page->OnReply(ReplyKind::VgaAdjustReply, 0);
  EXPECT_EQ(Find<oRealEdit>(kHPosition).text(), "-100");
}

TEST_F(ZVgaDlgTest, AutoAdjustWaitsAndShowsTheProcessorsResult) {
  Click(kAutoAdjust);
  EXPECT_EQ(harness.link.SentTypes(), (std::vector<int>{kSetVga, kQueryVga}));
  EXPECT_EQ(harness.link.sent[0].payload[2], 1);
  EXPECT_EQ(waiting, std::vector<QString>{"Waitting Operation ..."});
  harness.model.EventCode = 1;
  harness.model.EventArg1 = 0;
  page->OnReply(ReplyKind::DeviceEvent, 0);
  harness.model.EventArg1 = 1;
  page->OnReply(ReplyKind::DeviceEvent, 0);
  page->OnReply(ReplyKind::DeviceEvent, 8);  // a caption event: not the page's
  EXPECT_EQ(messages, (std::vector<QString>{"VGA Adjustment Failed", "VGA Adjustment Ok"}));
}

}  // namespace
}  // namespace qv
