// The link library, the console's reply handling and qvctl against the qvsim
// program, over TCP on loopback, a pty serial line and UDP search.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "SimProcess.h"
#include "comm/CommLibrary.h"
#include "link/EventLoop.h"
#include "link/ReplyDispatcher.h"
#include "project/ProjectFile.h"
#include "support/TempDir.h"

namespace qv::e2e {
namespace {

using namespace std::chrono_literals;

// The console's side without a window: library, model, reply handling.
class Console : public NotificationSink {
 public:
  explicit Console(comm::CommLibrary::Options options = {}) : link(options) {
    dispatcher.RegisterHandlers(link);
  }
  ~Console() override { link.CommShutdown(); }

  void Notify(ReplyKind kind, int) override {
    if (kind == ReplyKind::SearchStatusReply) linkUp[model.ReplyAddress] = model.ReplyArrived != 0;
    if (kind == ReplyKind::FullStateReply) ++fullStates;
    if (kind == ReplyKind::HostFoundReply) found.insert(model.HostText + " " + model.HostName);
  }
  void CloseWaitingDialog() override { ++closed; }

  bool WaitLink(uint8_t address, bool up, std::chrono::milliseconds timeout = 5000ms) {
    return loop.RunUntil([&] { return linkUp.count(address) && linkUp[address] == up; }, timeout);
  }
  bool FullRead() {
    const int states = fullStates, closes = closed;
    encoder.EncodeAndSend(CommandType::QueryFullState);
    return loop.RunUntil(
        [&] { return fullStates > states && closed > closes && !dispatcher.Waiting(); }, 5000ms);
  }

  EventLoop loop;
  DeviceModel model;
  comm::CommLibrary link;
  CommandEncoder encoder{model, link};
  ReplyDispatcher dispatcher{model, encoder, loop, *this};
  std::map<uint8_t, bool> linkUp;
  std::set<std::string> found;
  int fullStates = 0, closed = 0;
};

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(SimLink, FullReadOverTcpAndCommandsInTheTrace) {
  test::TempDir dir;
  const auto trace = dir.path() / "trace.jsonl";
  SimProcess sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0",
                  "--trace", trace.string()});
  ASSERT_TRUE(sim.running());
  Console console;
  console.model.TargetAddress = 1;
  console.link.CommOpenHost("127.0.0.1", sim.port());
  ASSERT_TRUE(console.WaitLink(1, true));
  ASSERT_TRUE(console.FullRead());
  EXPECT_EQ(console.model.rec.HReso, 1920);
  EXPECT_EQ(console.model.rec.VReso, 1080);
  EXPECT_TRUE(console.model.InputLabels[0].usable);

  console.model.rec.Chnl[1].ChnlInput = 3;
  console.encoder.EncodeAndSend(CommandType::SetWindowInput, {1});
  const std::string expected =
      R"({"dir":"rx","type":7,"addr":1,"payload":"010300)" + std::string(58, '5') + "\"}";
  // The simulator writes the line when the command arrives; replies still
  // coming from the full read say nothing about when that is.
  bool traced = false;
  for (int i = 0; i < 60 && !traced; ++i) {
    console.loop.RunFor(50ms);
    const auto lines = Lines(trace);
    traced = std::find(lines.begin(), lines.end(), expected) != lines.end();
  }
  EXPECT_TRUE(traced) << expected;
}

TEST(SimLink, FullReadOverAPtySerialLine) {
  test::TempDir dir;
  const auto tty = dir.path() / "ttyQV0";
  SimProcess sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0",
                  "--no-preview", "--serial", tty.string()});
  ASSERT_TRUE(sim.running());
  Console console;
  const uint8_t all[] = {255};
  console.link.CommSetAddressList(all);
  ASSERT_NE(console.link.CommOpenSerial(tty.string(), 115200), 0);
  ASSERT_TRUE(console.WaitLink(255, true));
  ASSERT_TRUE(console.FullRead());
  EXPECT_EQ(console.model.rec.HReso, 1920);
  // The serial processor answers as 110, the console's starting target: input states count.
  EXPECT_NE(console.model.rec.InputState[0], 0);
}

TEST(SimLink, SearchFindsThreeProcessors) {
  std::vector<std::unique_ptr<SimProcess>> sims;
  for (int n = 2; n <= 4; ++n) {
    sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{
        "--listen", "127.0.0." + std::to_string(n), "--port", "0", "--no-preview", "--package-port",
        "0", "--mac", "02:51:56:00:00:0" + std::to_string(n), "--name",
        "SIM" + std::to_string(n)}));
    ASSERT_TRUE(sims.back()->running());
  }
  Console console;
  console.link.CommSetDiscoveryTargets({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
  console.encoder.EncodeAndSend(CommandType::SearchPing, {0xFF});
  ASSERT_TRUE(console.loop.RunUntil([&] { return console.found.size() == 3; }, 3000ms));
  EXPECT_EQ(console.found,
            (std::set<std::string>{"127.0.0.2 SIM2", "127.0.0.3 SIM3", "127.0.0.4 SIM4"}));
}

TEST(SimLink, KilledProcessorIsReportedDownAndComesBack) {
  auto sim = std::make_unique<SimProcess>(std::vector<std::string>{
      "--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0"});
  ASSERT_TRUE(sim->running());
  const int port = sim->port();
  Console console;  // the library's own keepalive settings
  console.link.CommOpenHost("127.0.0.1", port);
  ASSERT_TRUE(console.WaitLink(1, true));

  const auto killed = std::chrono::steady_clock::now();
  sim->Kill();
  ASSERT_TRUE(console.WaitLink(1, false, 5000ms));
  EXPECT_LT(std::chrono::steady_clock::now() - killed, 5s);

  sim = std::make_unique<SimProcess>(
      std::vector<std::string>{"--listen", "127.0.0.1", "--port", std::to_string(port),
                               "--no-discovery", "--package-port", "0"});
  ASSERT_TRUE(sim->running());
  ASSERT_TRUE(console.WaitLink(1, true, 5000ms));
  EXPECT_TRUE(console.FullRead());
}

TEST(SimLink, GarbageOnTheLineDoesNotStopAFullRead) {
  SimProcess sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0",
                  "--garbage-every", "1"});
  ASSERT_TRUE(sim.running());
  Console console;
  console.link.CommOpenHost("127.0.0.1", sim.port());
  ASSERT_TRUE(console.WaitLink(1, true));
  ASSERT_TRUE(console.FullRead());
  EXPECT_GT(console.link.GetStats().skippedBytes, 0u);
  EXPECT_EQ(console.link.GetStats().badFrames, 0u);
}

TEST(Qvctl, PullPushAndErrors) {
  test::TempDir dir;
  SimProcess sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0"});
  ASSERT_TRUE(sim.running());
  const std::string port = std::to_string(sim.port());
  const auto project = (dir.path() / "show.pro").string();

  const auto pull =
      RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", port, "pull", project});
  ASSERT_EQ(pull.exitCode, 0) << pull.err;
  const auto record = ProjectFile::ReadProjectRecord(project);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->HReso, 1920);

  const auto push =
      RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", port, "push", project});
  EXPECT_EQ(push.exitCode, 0) << push.err;
  const auto route =
      RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", port, "route", "2", "1"});
  EXPECT_EQ(route.exitCode, 0) << route.err;
  const auto status = RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", port, "status"});
  EXPECT_EQ(status.exitCode, 0) << status.err;
  EXPECT_NE(status.out.find("window 2 (PIP 2): on, input HDMI-1"), std::string::npos) << status.out;

  const auto usage = RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "route", "9", "1"});
  EXPECT_EQ(usage.exitCode, 2);
  const auto unreachable =
      RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", "1", "--timeout", "500", "take"});
  EXPECT_EQ(unreachable.exitCode, 1);
  EXPECT_NE(unreachable.err.find("no link"), std::string::npos);
}

TEST(Qvctl, AProcessorThatDoesNotAnswerInTimeIsAFailure) {
  SimProcess sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0",
                  "--delay-ms", "3000"});
  ASSERT_TRUE(sim.running());
  const auto route =
      RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", std::to_string(sim.port()),
                               "--timeout", "500", "route", "1", "2"});
  EXPECT_EQ(route.exitCode, 1);
  EXPECT_NE(route.err.find("acknowledge"), std::string::npos);
}

TEST(Qvctl, MissingAcknowledgementIsAFailure) {
  SimProcess sim({"--listen", "127.0.0.1", "--port", "0", "--no-discovery", "--package-port", "0",
                  "--no-ack"});
  ASSERT_TRUE(sim.running());
  const auto route =
      RunProgram(QV_CTL_PATH, {"--host", "127.0.0.1", "--port", std::to_string(sim.port()),
                               "--timeout", "500", "route", "1", "2"});
  EXPECT_EQ(route.exitCode, 1);
  EXPECT_NE(route.err.find("acknowledge"), std::string::npos);
}

}  // namespace
}  // namespace qv::e2e
