#include "pages/switcher/ZSwitcherDlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ChoiceButtons.h"
#include "widgets/ControlId.h"

namespace qv {
namespace {

using Request = std::pair<PageRequest, int>;
// A command's type and the bytes that matter of its payload.
using Sent = std::pair<int, std::vector<uint8_t>>;

constexpr int kSetPvwMode = 15;
constexpr int kSetPvwDTime = 16;
constexpr int kQueryKeyer = 59;
constexpr int kRequest63 = 63;
constexpr int kMosaic = 3;
constexpr uint8_t kFill = 0x55;

class ZSwitcherDlgTest : public ::testing::Test {
 protected:
  ZSwitcherDlgTest() {
    model.rec.MosaicMode = kMosaic;
    page = std::make_unique<ZSwitcherDlg>(harness.context);
    QObject::connect(
        page.get(), &ZSwitcherDlg::pageRequest,
        [this](PageRequest code, int argument) { requests.emplace_back(code, argument); });
    QObject::connect(page.get(), &ZSwitcherDlg::waitingNotice,
                     [this](const QString& text) { notices.push_back(text); });
    QObject::connect(page.get(), &ZSwitcherDlg::message,
                     [this](const QString& text) { messages.push_back(text); });
    page->ShowPage(true);
  }

  CGdipButton& Switch(UiText group) {
    for (auto* box : page->findChildren<CSxGroupBox*>()) {
      if (box->caption() == harness.texts.Ui(group)) return *box->findChild<CGdipButton*>();
    }
    throw std::runtime_error("no group");
  }
  CGdipButton& ModeSwitch() { return Switch(UiText::SwitchMode); }
  CGdipButton& MultiSwitch() { return Switch(UiText::MultiMachineMode); }
  ChoiceButtons& Panels() { return *page->findChild<ChoiceButtons*>(); }
  CDropButton& Fade() { return *page->findChild<CDropButton*>(); }
  void Click(QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton); }
  // The mode as the processor reports it.
  void Reported(int mode) {
    model.rec.PvwMode = mode;
    page->OnReply(ReplyKind::PvwModeReply, 0);
  }
  void Clear() {
    link.sent.clear();
    requests.clear();
    notices.clear();
  }
  // Each command with its first payload byte; a bare request with none, its
  // payload checked to be fill.
  std::vector<Sent> SentCommands() const {
    std::vector<Sent> sent;
    for (const auto& c : link.sent) {
      if (c.type == kRequest63) {
        EXPECT_TRUE(
            std::all_of(c.payload.begin(), c.payload.end(), [](uint8_t b) { return b == kFill; }));
        sent.push_back({c.type, {}});
      } else {
        sent.push_back({c.type, {c.payload[0]}});
      }
    }
    return sent;
  }

  test::PageHarness harness;
  DeviceModel& model = harness.model;
  test::RecordingLink& link = harness.link;
  std::vector<Request> requests;
  std::vector<QString> notices;
  std::vector<QString> messages;
  std::unique_ptr<ZSwitcherDlg> page;
};

TEST_F(ZSwitcherDlgTest, TheSwitchSendsTheModeAndReadsBothKeyersAgain) {
  struct Case {
    const char* name;
    std::vector<int> before;  // the processor's modes before the press, in order
    uint8_t mode;
    int logoAfter;
  };
  const Case cases[] = {
      {"on with one panel", {}, 1, 1},
      {"on with two panels, which need window 3 as a picture", {2, 0}, 2, 0},
      {"off", {1}, 0, 1},
  };
  for (const Case& c : cases) {
    for (const int mode : c.before) Reported(mode);
    model.rec.LogoUsage = 1;
    Clear();
    Click(ModeSwitch());
    EXPECT_EQ(model.rec.PvwMode, c.mode) << c.name;
    EXPECT_EQ(model.rec.LogoUsage, c.logoAfter) << c.name;
    EXPECT_EQ(SentCommands(),
              (std::vector<Sent>{{kSetPvwMode, {c.mode}}, {kQueryKeyer, {1}}, {kQueryKeyer, {3}}}))
        << c.name;
    EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::SwitcherState, c.mode != 0},
                                              {PageRequest::MosaicMode, kMosaic}}))
        << c.name;
    EXPECT_EQ(notices, std::vector<QString>{"Waitting Operation ..."}) << c.name;
    EXPECT_EQ(Panels().isEnabled(), c.mode != 0) << c.name;
    EXPECT_EQ(Fade().isEnabled(), c.mode != 0) << c.name;
    Reported(0);
  }
}

TEST_F(ZSwitcherDlgTest, APanelButtonSendsOnlyWhenItChangesTheVariant) {
  Click(ModeSwitch());
  model.rec.LogoUsage = 1;
  Clear();
  Click(*Panels().button(ZSwitcherDlg::kOnePanel));
  EXPECT_TRUE(link.sent.empty());
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(Panels().button(ZSwitcherDlg::kOnePanel)->isChecked());

  Click(*Panels().button(ZSwitcherDlg::kTwoPanels));
  EXPECT_EQ(model.rec.LogoUsage, 0);
  EXPECT_EQ(SentCommands(),
            (std::vector<Sent>{
                {kQueryKeyer, {1}}, {kQueryKeyer, {3}}, {kSetPvwMode, {2}}, {kRequest63, {}}}));
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::SwitcherState, 1},
                                            {PageRequest::MosaicMode, kMosaic}}));
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_EQ(Panels().selected(), ZSwitcherDlg::kTwoPanels);

  Clear();
  Click(*Panels().button(ZSwitcherDlg::kOnePanel));
  EXPECT_EQ(SentCommands(), (std::vector<Sent>{{kSetPvwMode, {1}}, {kRequest63, {}}}));
}

TEST_F(ZSwitcherDlgTest, TheReportedModeIsShownAndToldToTheWindow) {
  struct Case {
    const char* name;
    int mode;
    bool on;
    int highlighted;
  };
  const Case cases[] = {
      {"two panels", 2, true, ZSwitcherDlg::kTwoPanels},
      {"off keeps the variant the next ON sends", 0, false, ZSwitcherDlg::kTwoPanels},
      {"one panel", 1, true, ZSwitcherDlg::kOnePanel},
      {"a mode the page does not know is on, the variant kept", 9, true, ZSwitcherDlg::kOnePanel},
  };
  for (const Case& c : cases) {
    Clear();
    Reported(c.mode);
    EXPECT_EQ(ModeSwitch().state(), c.on) << c.name;
    EXPECT_EQ(Panels().isEnabled(), c.on) << c.name;
    EXPECT_EQ(Panels().selected(), c.highlighted) << c.name;
    EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::SwitcherState, c.mode}})) << c.name;
  }
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(ZSwitcherDlgTest, AFadeDurationIsSentByItsIndex) {
  Reported(1);
  Fade().ShowList();
  Fade().list().Pick(4);
  EXPECT_EQ(model.rec.PvwDTime, 4);
  EXPECT_EQ(SentCommands(), (std::vector<Sent>{{kSetPvwDTime, {4}}}));
  EXPECT_EQ(Fade().selectedText(), "0.5");
  // An index the list does not have shows the first entry.
  link.sent.clear();
  model.rec.PvwDTime = 12;
  page->OnReply(ReplyKind::FullStateReply, 0);
  EXPECT_EQ(Fade().selectedText(), "0.0");
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(ZSwitcherDlgTest, MultiMachineNeedsTheNetworkLink) {
  Click(MultiSwitch());
  EXPECT_EQ(model.MultiMachine, 1);
  EXPECT_TRUE(link.sent.empty());
  Click(MultiSwitch());
  EXPECT_EQ(model.MultiMachine, 0);

  // A serial link the page was not told of yet: refused, and said why.
  model.NetworkMode = 0;
  Click(MultiSwitch());
  EXPECT_FALSE(MultiSwitch().state());
  EXPECT_EQ(model.MultiMachine, 0);
  EXPECT_EQ(messages,
            std::vector<QString>{"In Serial Interface mode Take Function is not available"});

  page->OnPageRequest(PageRequest::LinkModeChanged, 0, {});
  EXPECT_FALSE(MultiSwitch().isEnabled());
  model.NetworkMode = 1;
  page->OnPageRequest(PageRequest::LinkModeChanged, 1, {});
  EXPECT_TRUE(MultiSwitch().isEnabled());
  EXPECT_FALSE(MultiSwitch().state());
  EXPECT_TRUE(link.sent.empty());
}

}  // namespace
}  // namespace qv
