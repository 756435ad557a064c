#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "app/InputPanel.h"
#include "app/LayerSwitches.h"
#include "app/ZulanDlg.h"
#include "pages/connect/ZConnectDlg.h"
#include "pages/main/CPictureCtrl.h"
#include "pages/main/ZMainDlg.h"
#include "pages/main/ZShowVideoDlg.h"
#include "pages/testpattern/ZTstPatternDlg.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"
#include "widgets/CDropButton.h"
#include "widgets/CSxGroupBox.h"

namespace qv {
namespace {

class ZulanDlgTest : public ::testing::Test {
 protected:
  ZulanDlgTest()
      : link(new test::RecordingLink),
        window(std::unique_ptr<CommLink>(link),
               SettingsLocation(dir.path(), true, SettingsLocation::Environment{})) {
    window.SetPrompts({[this](const QString& text) { informed.push_back(text); },
                       [this](const QString& text) {
                         confirmed.push_back(text);
                         return true;
                       }});
    window.Start("en_US", std::filesystem::path(QV_SOURCE_DIR) / "lang");
    Model() = DeviceModel();  // the process-wide model, fresh for each test
    link->sent.clear();
  }
  ~ZulanDlgTest() override { window.close(); }

  void Deliver(int kind, std::vector<uint8_t> payload, uint8_t source = 110) {
    link->Deliver(kind, payload, 0, source);
    QCoreApplication::processEvents();
  }

  test::TempDir dir;
  test::RecordingLink* link;  // owned by the window
  ZulanDlg window;
  std::vector<QString> informed, confirmed;
};

TEST_F(ZulanDlgTest, LoadingAPresetNeverSavedSaysSoAndSendsNothing) {
  window.ChoosePreset(4);
  window.LoadPreset();
  EXPECT_EQ(informed, std::vector<QString>{"Preset is Invalid"});
  EXPECT_TRUE(link->sent.empty());
  EXPECT_FALSE(window.waiting().waiting());
}

TEST_F(ZulanDlgTest, SavedPresetLoadsAndWaitsForTheProcessor) {
  window.ChoosePreset(2);
  window.SavePreset();
  EXPECT_EQ(confirmed, std::vector<QString>{"Save The Preset?"});
  window.LoadPreset();
  EXPECT_EQ(link->SentTypes(), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(link->sent[1].payload[0], 1);
  EXPECT_EQ(link->sent[1].payload[1], 2);
  EXPECT_TRUE(window.waiting().waiting());
  EXPECT_EQ(window.waiting().text(), "Waitting Operation ...");
  // The preset flags end the wait.
  Deliver(17, std::vector<uint8_t>(10, 0));
  EXPECT_FALSE(window.waiting().waiting());
  EXPECT_EQ(window.lastNotifyKind(), 23);
}

TEST_F(ZulanDlgTest, ConnectingReadsTheProcessorOnceItsLinkIsUp) {
  window.ConnectTo("192.168.1.20", 61213);
  EXPECT_EQ(Model().TargetAddress, 20);
  EXPECT_EQ(link->addresses, std::vector<uint8_t>{20});
  Deliver(0, {1}, 21);  // another processor: nothing happens
  EXPECT_TRUE(link->sent.empty());
  EXPECT_FALSE(window.linkLamp());
  Deliver(0, {1}, 20);
  EXPECT_TRUE(window.linkLamp());
  EXPECT_EQ(link->SentTypes(), std::vector<int>{0});
  EXPECT_TRUE(window.waiting().waiting());
  Deliver(0, {0}, 20);
  EXPECT_FALSE(window.linkLamp());
}

TEST_F(ZulanDlgTest, TakeSendsTheMultiMachineSwitchAndWaits) {
  Model().MultiMachine = 1;
  window.Take();
  ASSERT_EQ(link->SentTypes(), std::vector<int>{20});
  EXPECT_EQ(link->sent[0].payload[0], 1);
  EXPECT_TRUE(window.waiting().waiting());
}

TEST_F(ZulanDlgTest, TheSwitcherPageShowsTakeWhileTheProcessorIsInSwitcherMode) {
  const QPushButton* take = window.findChild<QPushButton*>("take");
  ASSERT_NE(take, nullptr);
  // Mode, fade duration, then the program and preview flags of the four windows.
  Deliver(20, {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0});
  EXPECT_FALSE(take->isHidden());
  Deliver(20, std::vector<uint8_t>(16, 0));
  EXPECT_TRUE(take->isHidden());
}

TEST_F(ZulanDlgTest, PageButtonsOpenTheirPageAndCloseItAgain) {
  QPushButton* comm = window.pageButton(ZulanDlg::kConnectionPage);
  ZConnectDlg& page = window.page<ZConnectDlg>(PageId::Connection);
  ASSERT_TRUE(comm->isEnabled());
  EXPECT_FALSE(window.pageButton(page_button::kLogo)->isEnabled());  // no page yet: nothing to open
  comm->click();
  EXPECT_TRUE(page.isVisibleTo(&window));
  EXPECT_EQ(window.currentPage(), ZulanDlg::kConnectionPage);
  comm->click();
  EXPECT_FALSE(page.isVisibleTo(&window));
  EXPECT_EQ(window.currentPage(), -1);
  comm->click();
  page.closeButton()->click();  // the page's own close button
  EXPECT_FALSE(page.isVisibleTo(&window));
  EXPECT_EQ(window.currentPage(), -1);
}

TEST_F(ZulanDlgTest, KeyerShowsTheSwitcherAndTheKeyersTogetherAndTheyCloseTogether) {
  window.resize(ZulanDlg::kMinWidth, ZulanDlg::kMinHeight);
  window.show();
  ZBaseDialog& switcher = *window.page(PageId::Switcher);
  ZBaseDialog& keyers = *window.page(PageId::Keyer);
  window.pageButton(page_button::kKeyer)->click();
  EXPECT_TRUE(switcher.isVisible());
  EXPECT_TRUE(keyers.isVisible());
  EXPECT_EQ(keyers.x(), switcher.x() + switcher.width() + 4);
  switcher.closeButton()->click();
  EXPECT_FALSE(keyers.isVisible());
  EXPECT_EQ(window.currentPage(), -1);
  window.pageButton(page_button::kKeyer)->click();
  window.pageButton(page_button::kPip)->click();
  EXPECT_FALSE(switcher.isVisible());
  EXPECT_FALSE(keyers.isVisible());
}

QPushButton* OwnButton(const QWidget& window, const QString& text) {
  for (QPushButton* b : window.findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (b->text() == text) return b;
  }
  return nullptr;
}

TEST_F(ZulanDlgTest, TheTestPatternAndTimeTaskButtonsShowTheirViewsWhereThePagesGo) {
  QPushButton* pattern = OwnButton(window, "TEST PATTERN");
  QPushButton* tasks = OwnButton(window, "TIME/TASK");
  ASSERT_TRUE(pattern && tasks);
  ASSERT_TRUE(pattern->isEnabled() && tasks->isEnabled());
  ZBaseDialog* patternPage = window.page(PageId::TestPattern);
  ZBaseDialog* taskPage = window.page(PageId::TimeTask);
  window.pageButton(ZulanDlg::kConnectionPage)->click();
  pattern->click();
  EXPECT_EQ(window.currentPage(), -1) << "the page shown closes";
  EXPECT_TRUE(patternPage->isVisibleTo(&window));
  tasks->click();
  EXPECT_FALSE(patternPage->isVisibleTo(&window));
  EXPECT_TRUE(taskPage->isVisibleTo(&window));
  tasks->click();
  EXPECT_FALSE(taskPage->isVisibleTo(&window));
  tasks->click();
  window.pageButton(ZulanDlg::kConnectionPage)->click();
  EXPECT_FALSE(taskPage->isVisibleTo(&window)) << "a page button closes the view";
}

TEST_F(ZulanDlgTest, APatternHoldsTheLayoutAndStopsBeforeAPresetLoads) {
  window.ChoosePreset(2);
  window.SavePreset();
  link->sent.clear();
  OwnButton(window, "TEST PATTERN")->click();
  auto& page = window.page<ZTstPatternDlg>(PageId::TestPattern);
  page.SwitchPattern(true);
  auto& main = window.page<ZMainDlg>(PageId::Main);
  const auto switches = window.inputPanel().findChildren<LayerSwitches*>();
  ASSERT_FALSE(switches.empty());
  EXPECT_TRUE(main.windowsLocked());
  EXPECT_FALSE(switches[0]->isEnabled());

  window.LoadPreset();
  // The pattern stops, then the preset goes out.
  ASSERT_EQ(link->SentTypes(), (std::vector<int>{12, 12, 1, 0}));
  EXPECT_EQ(link->sent[1].payload[0], 0);
  EXPECT_FALSE(page.isVisibleTo(&window));
  EXPECT_FALSE(main.windowsLocked());
  EXPECT_TRUE(switches[0]->isEnabled());
}

TEST_F(ZulanDlgTest, VgaAdjustmentOpensOnlyWhileAWindowShowsAVgaInput) {
  QPushButton* vga = window.pageButton(page_button::kVga);
  EXPECT_FALSE(vga->isEnabled());
  Model().rec.InputSrc[7] = 3;
  Model().rec.Chnl[2].ChnlInput = 7;
  window.HandlePageRequest(PageRequest::InputChanged, 2);
  ASSERT_TRUE(vga->isEnabled());
  vga->click();
  EXPECT_TRUE(window.page(PageId::Vga)->isVisibleTo(&window));
  Model().rec.Chnl[2].ChnlInput = 1;
  window.HandlePageRequest(PageRequest::InputChanged, 2);
  EXPECT_FALSE(vga->isEnabled());
  EXPECT_FALSE(window.page(PageId::Vga)->isVisibleTo(&window));
  EXPECT_EQ(window.currentPage(), -1);
}

TEST_F(ZulanDlgTest, TheMainPageAndItsWindowsTakeTheLanguageFilesTexts) {
  ZMainDlg& main = window.page<ZMainDlg>(PageId::Main);
  const auto texts = [&] {
    return std::pair(main.canvas().topSetText(), main.previewWindow().windowTitle());
  };
  // At start, the English file's texts rather than the built-in ones.
  EXPECT_EQ(texts(), std::pair(QString("Set Top"), QString("Video Display")));
  window.SwitchLanguage(ControlColumn::Language::Chinese);
  EXPECT_EQ(texts(), std::pair(QString::fromUtf8("置顶"), QString::fromUtf8("视频显示")));
  window.SwitchLanguage(ControlColumn::Language::English);
  EXPECT_EQ(texts(), std::pair(QString("Set Top"), QString("Video Display")));
}

TEST_F(ZulanDlgTest, LanguageSwitchRetextsEveryWindowAtOnce) {
  const auto serialCaption = [&] {
    for (auto* group : window.page<ZConnectDlg>(PageId::Connection).findChildren<CSxGroupBox*>()) {
      if (group->caption() == "Com Connection" ||
          group->caption() == QString::fromUtf8("串口连接")) {
        return group->caption();
      }
    }
    return QString();
  };
  window.SwitchLanguage(ControlColumn::Language::Chinese);
  EXPECT_EQ(window.pageButton(ZulanDlg::kConnectionPage)->text(), QString::fromUtf8("通讯"));
  EXPECT_EQ(window.page<ZConnectDlg>(PageId::Connection).title(), QString::fromUtf8("连接设置"));
  EXPECT_EQ(serialCaption(), QString::fromUtf8("串口连接"));
  EXPECT_EQ(window.controlColumn().findChild<QPushButton*>()->text().isEmpty(), false);
  EXPECT_EQ(window.core().settings().Language(), "Chinese");
  window.SwitchLanguage(ControlColumn::Language::English);
  EXPECT_EQ(window.pageButton(ZulanDlg::kConnectionPage)->text(), "COMM");
  EXPECT_EQ(window.page<ZConnectDlg>(PageId::Connection).title(), "Connection Setting");
  EXPECT_EQ(serialCaption(), "Com Connection");
}

TEST_F(ZulanDlgTest, SyncAndPortSwitchListsSendTheirCommands) {
  ControlColumn& column = window.controlColumn();
  const auto choose = [](CDropButton& list, int index) {
    list.ShowList();
    QTest::mouseClick(&list.list(), Qt::LeftButton, {}, list.list().rowRect(index).center());
  };
  choose(column.genlockList(), 3);
  choose(column.syncModeList(), 2);
  EXPECT_EQ(Model().rec.SyncLockMode, 3);
  EXPECT_EQ(Model().rec.SyncMode, 2);
  ASSERT_EQ(link->SentTypes(), (std::vector<int>{21, 21}));
  EXPECT_EQ(link->sent[0].payload[0], 0);
  EXPECT_EQ(link->sent[0].payload[1], 3);
  EXPECT_EQ(link->sent[1].payload[0], 1);
  EXPECT_EQ(link->sent[1].payload[1], 2);

  link->sent.clear();
  Model().rec.CmpBoardExist = 1;  // the port switch needs a composite board
  column.ShowModel();
  choose(column.portSwitchList(), 4);
  EXPECT_EQ(Model().rec.CmpBoardMode, 4);
  ASSERT_EQ(link->SentTypes(), std::vector<int>{33});
  EXPECT_EQ(link->sent[0].payload[0], 1);
  EXPECT_EQ(link->sent[0].payload[1], 4);
  // The board is asked for its state a moment later.
  EXPECT_TRUE(QTest::qWaitFor([&] { return link->SentTypes() == std::vector<int>{33, 67}; }));
}

TEST_F(ZulanDlgTest, SignalSwitchSwapsOnlyAKnownActiveSource) {
  struct Case {
    int32_t active;
    std::vector<int> sent;
    int swapTo;
  };
  for (const Case& c : {Case{0, {33, 67}, 1}, Case{1, {33, 67}, 0}, Case{2, {}, -1}}) {
    link->sent.clear();
    Model().rec.CmpBoardActNoSrc = c.active;
    Model().rec.CmpBoardExist = 1;
    window.controlColumn().ShowModel();
    window.controlColumn().signalSwitch().click();
    QTest::qWaitFor([&] { return link->SentTypes() == c.sent; });
    ASSERT_EQ(link->SentTypes(), c.sent) << c.active;
    if (c.swapTo >= 0) {
      EXPECT_EQ(link->sent[0].payload[0], 0);
      EXPECT_EQ(link->sent[0].payload[1], c.swapTo);
    }
  }
}

TEST_F(ZulanDlgTest, DoubleClickUnderAPresetRenamesItInInfoIni) {
  window.resize(ZulanDlg::kMinWidth, ZulanDlg::kMinHeight);
  window.show();
  // The window's own preset button, not a page's "4".
  const auto own = window.findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
  QPushButton* button = own.at(0);
  for (QPushButton* b : own) {
    if (b->text() == "4") button = b;
  }
  const QPoint under(button->geometry().center().x(), button->geometry().bottom() + 10);
  QTest::mouseDClick(&window, Qt::LeftButton, {}, under);
  auto* box = window.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_TRUE(box && box->isVisible());
  EXPECT_EQ(box->text(), "0-3");
  box->setText("Walk-in");
  QTest::keyClick(box, Qt::Key_Escape);  // Esc keeps the name, as Enter does
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(window.presetName(3), "Walk-in");
  EXPECT_EQ(window.core().settings().PresetName(0, 3), "Walk-in");
}

TEST_F(ZulanDlgTest, AProcessorThatNeverAnswersDoesNotLockTheWindow) {
  window.waiting().ShowWaiting("Getting Data From Desitination... ", 30);
  QElapsedTimer t;
  t.start();
  while (window.waiting().waiting() && t.elapsed() < 2000) QTest::qWait(10);
  EXPECT_FALSE(window.waiting().waiting());
  EXPECT_EQ(informed, std::vector<QString>{"Failed"});
}

}  // namespace
}  // namespace qv
