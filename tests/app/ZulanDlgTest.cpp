#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/ZulanDlg.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"

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

}  // namespace
}  // namespace qv
