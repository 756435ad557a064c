// The console window on the real link library against the qvsim program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <array>
#include <cstring>

#include "SimProcess.h"
#include "app/ZulanDlg.h"
#include "comm/CommLibrary.h"
#include "support/TempDir.h"

namespace qv {
namespace {

bool ProcessUntil(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

class ZulanDlgSimTest : public ::testing::Test {
 protected:
  ZulanDlgSimTest()
      : sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0"}) {
    Model() = DeviceModel();
    window = std::make_unique<ZulanDlg>(
        std::make_unique<comm::CommLibrary>(),
        SettingsLocation(dir.path(), true, SettingsLocation::Environment{}));
    window->SetPrompts({[this](const QString& text) { informed.push_back(text); },
                        [](const QString&) { return true; }});
    window->Start("en_US", std::filesystem::path(QV_SOURCE_DIR) / "lang");
  }
  ~ZulanDlgSimTest() override { window->close(); }

  bool Connect() {
    window->ConnectTo("127.0.0.1", sim.port());
    return ProcessUntil([&] { return window->linkLamp() && Model().rec.HReso != 0; }) &&
           ProcessUntil([&] { return !window->waiting().waiting(); });
  }

  test::TempDir dir;
  e2e::SimProcess sim;
  std::unique_ptr<ZulanDlg> window;
  std::vector<QString> informed;
};

TEST_F(ZulanDlgSimTest, ConnectingShowsTheProcessorsState) {
  ASSERT_TRUE(sim.running());
  ASSERT_TRUE(Connect());
  EXPECT_EQ(Model().rec.HReso, 1920);
  EXPECT_TRUE(Model().InputLabels[0].usable);
  EXPECT_NE(Model().rec.InputReso[0].HAct, 0);
}

TEST_F(ZulanDlgSimTest, PresetSavedOnTheProcessorLoadsBack) {
  ASSERT_TRUE(Connect());
  window->ChoosePreset(5);
  window->LoadPreset();
  EXPECT_EQ(informed, std::vector<QString>{"Preset is Invalid"});
  window->SavePreset();
  ASSERT_TRUE(ProcessUntil([&] { return Model().PresetValid[5] != 0; }));
  window->LoadPreset();
  EXPECT_TRUE(window->waiting().waiting());
  EXPECT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  EXPECT_EQ(informed.size(), 1u);
}

TEST_F(ZulanDlgSimTest, TakeInSwitcherModeWaitsForTheProcessor) {
  ASSERT_TRUE(Connect());
  Model().rec.PvwMode = 1;
  window->core().encoder().EncodeAndSend(CommandType::SetPvwMode);
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting() && Model().rec.PvwMode == 1; }));
  std::array<uint8_t, kWindowCount> program;
  std::memcpy(program.data(), Model().rec.PgmState, program.size());
  window->Take();
  EXPECT_TRUE(window->waiting().waiting());
  ASSERT_TRUE(ProcessUntil([&] { return !window->waiting().waiting(); }));
  ASSERT_TRUE(ProcessUntil([&] {
    return std::memcmp(Model().rec.PgmState, program.data(), program.size()) != 0;
  }));
}

TEST_F(ZulanDlgSimTest, StoppingTheProcessorPutsTheLampOut) {
  ASSERT_TRUE(Connect());
  sim.Kill();
  EXPECT_TRUE(ProcessUntil([&] { return !window->linkLamp(); }, 6000));
  EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace qv
