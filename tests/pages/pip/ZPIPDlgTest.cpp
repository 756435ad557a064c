#include "pages/pip/ZPIPDlg.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "support/PageControls.h"
#include "support/PageHarness.h"
#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/ControlId.h"
#include "widgets/oBitmapSlider.h"
#include "widgets/oRealEdit.h"
#include "widgets/oSliderEdit.h"

namespace qv {
namespace {

using Request = std::pair<PageRequest, int>;
constexpr int kSetWindowState = static_cast<int>(CommandType::SetWindowState);

class ZPIPDlgTest : public ::testing::Test {
 protected:
  ZPIPDlgTest() {
    for (int k = 1; k < kWindowCount; ++k) model.rec.Chnl[k].ChnlAlpha = 64;
    page = std::make_unique<ZPIPDlg>(harness.context);
    QObject::connect(page.get(), &ZPIPDlg::pageRequest, [this](PageRequest code, int argument) {
      requests.emplace_back(code, argument);
    });
    page->ShowPage(true);
  }

  template <typename W>
  W& Find(int id) {
    return test::FindControl<W>(*page, id);
  }
  oSliderEdit& Alpha(int pip) { return Find<oSliderEdit>(1753 + pip); }
  CDropButton& Input(int pip) { return Find<CDropButton>(1756 + pip); }
  CSxGroupBox& Group(int pip) { return *qobject_cast<CSxGroupBox*>(Input(pip).parentWidget()); }
  CGdipButton& Toggle(int pip) { return *Group(pip).findChild<CGdipButton*>(); }
  // As the operator picks the entry from the opened list.
  static void Choose(CDropButton& list, int index) {
    list.ShowList();
    list.list().Pick(index);
  }
  // The windows' state as the processor reports it.
  void Windows(std::array<uint8_t, 3> on) {
    for (int i = 0; i < 3; ++i) model.rec.Chnl[i + 1].ChnlOnOff = on[i];
    page->OnReply(ReplyKind::WindowSourcesReply, 4);
    requests.clear();
  }
  // Window, on/off and alpha of each SetWindowState sent.
  std::vector<std::array<uint8_t, 3>> StatesSent() const {
    std::vector<std::array<uint8_t, 3>> states;
    for (const auto& c : link.sent) {
      EXPECT_EQ(c.type, kSetWindowState);
      states.push_back({c.payload[0], c.payload[1], c.payload[2]});
    }
    return states;
  }

  test::PageHarness harness;
  DeviceModel& model = harness.model;
  test::RecordingLink& link = harness.link;
  std::vector<Request> requests;
  std::unique_ptr<ZPIPDlg> page;
};

TEST_F(ZPIPDlgTest, AToggleSendsItsWindowsStateThenTellsTheWindow) {
  for (int pip = 0; pip < 3; ++pip) {
    for (const bool on : {true, false}) {
      link.sent.clear();
      requests.clear();
      QTest::mouseClick(&Toggle(pip), Qt::LeftButton);
      EXPECT_EQ(model.rec.Chnl[pip + 1].ChnlOnOff, on ? 1 : 0) << pip;
      EXPECT_EQ(StatesSent(), (std::vector<std::array<uint8_t, 3>>{
                                  {static_cast<uint8_t>(pip + 1), uint8_t(on ? 1 : 0), 64}}))
          << pip;
      EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::LayerState, pip}})) << pip;
      // Alpha and input wait until the PIP is on.
      EXPECT_EQ(Alpha(pip).isEnabled(), on) << pip;
      EXPECT_EQ(Input(pip).isEnabled(), on) << pip;
    }
  }
}

TEST_F(ZPIPDlgTest, ThePip3ToggleLeavesTheLogoAlone) {
  model.rec.LogoUsage = 1;
  Windows({0, 0, 1});
  EXPECT_FALSE(Input(2).isEnabled()) << "the logo's window keeps its input";
  EXPECT_TRUE(Alpha(2).isEnabled());
  QTest::mouseClick(&Toggle(2), Qt::LeftButton);
  EXPECT_TRUE(Toggle(2).state());
  EXPECT_EQ(model.rec.Chnl[3].ChnlOnOff, 1);
  EXPECT_TRUE(link.sent.empty());
  EXPECT_TRUE(requests.empty());
}

TEST_F(ZPIPDlgTest, ChoosingAnInputLeavesTheSendingToTheWindow) {
  Windows({0, 1, 0});
  // The factory inputs 0..5; input 5 is listed but cannot be chosen.
  ASSERT_EQ(Input(1).count(), 6);
  EXPECT_TRUE(Input(1).entry(5).greyed);
  Choose(Input(1), 3);
  EXPECT_EQ(model.rec.Chnl[2].ChnlInput, 3);
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::InputChosen, 2}}));
  requests.clear();
  Choose(Input(1), 5);
  EXPECT_EQ(model.rec.Chnl[2].ChnlInput, 3);
  EXPECT_TRUE(requests.empty());
}

TEST_F(ZPIPDlgTest, AlphaSendsEveryStepOfADragAndAClampedTypedValue) {
  model.rec.Chnl[1].ChnlAlpha = 10;
  Windows({1, 0, 0});
  oBitmapSlider& slider = Alpha(0).slider();
  ASSERT_EQ(slider.position(), 10);
  const QPoint grab = slider.thumbRect().center();
  QTest::mousePress(&slider, Qt::LeftButton, {}, grab);
  // A pixel at a time, as a hand moves: every position on the way is sent.
  for (int dx = 1; dx < slider.width() && slider.position() < 20; ++dx) {
    QTest::mouseMove(&slider, grab + QPoint(dx, 0));
  }
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, slider.thumbRect().center());
  std::vector<std::array<uint8_t, 3>> steps;
  for (uint8_t alpha = 11; alpha <= 20; ++alpha) steps.push_back({1, 1, alpha});
  EXPECT_EQ(StatesSent(), steps);
  EXPECT_EQ(model.rec.Chnl[1].ChnlAlpha, 20);

  link.sent.clear();
  oRealEdit& box = Alpha(0).box();
  box.setFocus();
  box.setText("90");
  box.Commit(true);
  EXPECT_EQ(StatesSent(), (std::vector<std::array<uint8_t, 3>>{{1, 1, 64}}));
  EXPECT_EQ(model.rec.Chnl[1].ChnlAlpha, 64);
  EXPECT_TRUE(requests.empty());
}

TEST_F(ZPIPDlgTest, ARefreshShowsTheWindowsAndTellsTheWindowsPagesWithoutSending) {
  struct Case {
    const char* name;
    uint8_t input;  // ChnlInput of window 1 as reported
    QString shown;
  };
  model.InputLabels[2].displayName = "Camera  ";
  const Case cases[] = {
      {"a listed input", 2, "Camera"},
      {"an input not fitted", 9, "DVI-1"},
      {"a number no input has", 200, "DVI-1"},
  };
  for (const Case& c : cases) {
    model.rec.Chnl[1].ChnlInput = c.input;
    model.rec.Chnl[1].ChnlOnOff = 1;
    requests.clear();
    page->OnReply(ReplyKind::FullStateReply, 0);
    EXPECT_EQ(Input(0).selectedText(), c.shown) << c.name;
    EXPECT_TRUE(Toggle(0).state()) << c.name;
    EXPECT_EQ(requests, (std::vector<Request>{{PageRequest::InputChanged, 1},
                                              {PageRequest::InputChanged, 2},
                                              {PageRequest::InputChanged, 3}}))
        << c.name;
  }
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(ZPIPDlgTest, TheListsFollowTheFittedInputs) {
  model.InputLabels[1].usable = false;
  model.InputLabels[8].usable = true;
  model.InputLabels[8].label = " DP1-L ";
  page->OnReply(ReplyKind::DpModeReply, 0);
  std::vector<std::pair<QString, int>> entries;
  for (int i = 0; i < Input(2).count(); ++i) {
    entries.emplace_back(Input(2).entry(i).text, Input(2).entry(i).value);
  }
  EXPECT_EQ(
      entries,
      (std::vector<std::pair<QString, int>>{
          {"DVI-1", 0}, {"DVI-2", 2}, {"HDMI-2", 3}, {"DP-1", 4}, {"SDI-1", 5}, {"DP1-L", 8}}));
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(ZPIPDlgTest, OnePanelModeLocksPip1WhileOnProgram) {
  Windows({1, 1, 1});
  model.rec.PvwMode = 1;
  model.rec.PgmState[1] = 1;
  model.rec.PvwState[0] = 1;
  page->OnReply(ReplyKind::PvwModeReply, 0);
  EXPECT_EQ(Group(0).caption(), "PGM");
  EXPECT_FALSE(Toggle(0).isEnabled());
  EXPECT_FALSE(Alpha(0).isEnabled());
  EXPECT_FALSE(Input(0).isEnabled());
  // A reply about the windows keeps it locked.
  page->OnReply(ReplyKind::WindowSourcesReply, 4);
  EXPECT_FALSE(Input(0).isEnabled());
  EXPECT_TRUE(Input(1).isEnabled());

  model.rec.PgmState[1] = 0;
  model.rec.PvwState[1] = 1;
  page->OnReply(ReplyKind::PvwModeReply, 0);
  EXPECT_EQ(Group(0).caption(), "PVW");
  EXPECT_TRUE(Input(0).isEnabled());
  EXPECT_FALSE(Alpha(0).isEnabled());

  model.rec.PvwMode = 0;
  page->OnReply(ReplyKind::PvwModeReply, 0);
  EXPECT_EQ(Group(0).caption(), "PIP-1");
  EXPECT_TRUE(Toggle(0).isEnabled());
  EXPECT_TRUE(Alpha(0).isEnabled());
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(ZPIPDlgTest, ALayerSwitchOfTheWindowIsShownWithoutSending) {
  model.rec.Chnl[2].ChnlOnOff = 1;
  page->OnPageRequest(PageRequest::LayerState, 1, {});
  EXPECT_TRUE(Toggle(1).state());
  EXPECT_TRUE(Alpha(1).isEnabled());
  EXPECT_TRUE(link.sent.empty());
  EXPECT_TRUE(requests.empty());
}

}  // namespace
}  // namespace qv
