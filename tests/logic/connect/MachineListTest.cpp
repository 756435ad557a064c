#include <gtest/gtest.h>

#include "logic/connect/MachineList.h"
#include "support/RecordingLink.h"

namespace qv {
namespace {

struct Fixture {
  Fixture()
      : list(encoder, [](const std::array<uint8_t, 6>& mac, std::size_t n) {
          return mac[5] == 0x33 ? std::string("Stage") : "QV41X-" + std::to_string(n + 1);
        }) {}
  void Find(const std::string& ip, uint8_t last) {
    list.AddFound(ip, {0x0000510a, static_cast<uint32_t>(last) << 8});
  }
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  MachineList list;
};

TEST(MachineList, TilesFillRowsOfFour) {
  const std::pair<int, MachineList::Rect> cases[] = {{0, {10, 80, 200, 80}},
                                                     {3, {640, 80, 200, 80}},
                                                     {4, {10, 170, 200, 80}},
                                                     {8, {10, 260, 200, 80}}};
  for (auto [n, rect] : cases) {
    const MachineList::Rect r = MachineList::TileFor(n);
    EXPECT_EQ(r.left, rect.left) << n;
    EXPECT_EQ(r.top, rect.top) << n;
  }
}

TEST(MachineList, AnswersAreListedOnceWithTheirNames) {
  Fixture f;
  f.list.Search();
  EXPECT_EQ(f.model.TargetAddress, 255);
  ASSERT_EQ(f.link.SentTypes(), std::vector<int>{69});
  EXPECT_TRUE(f.list.AddFound("10.0.0.1", {0x0000510a, 0x1100}).startCompletionTimer);
  EXPECT_FALSE(f.list.AddFound("10.0.0.1", {0, 0}).repaint);  // the same one again
  f.Find("10.0.0.2", 0x22);
  f.Find("10.0.0.3", 0x33);
  f.Find("10.0.0.4", 0x44);
  const auto& e = f.list.entries();
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[1].name, "QV41X-2");
  EXPECT_EQ(e[2].name, "Stage");
  EXPECT_EQ(e[0].mac, (std::array<uint8_t, 6>{0x0a, 0x51, 0, 0, 0, 0x11}));
  EXPECT_EQ(e[3].timerId, MachineList::kFirstTimerId + 3);
  EXPECT_TRUE(f.list.AddFound("", {0, 0}).repaint == false);
}

TEST(MachineList, CompletingTheSearchLinksEveryWellFormedAddress) {
  Fixture f;
  f.model.NetworkMode = 0;
  f.Find("10.0.0.7", 1);
  f.Find("bogus", 2);
  const auto effects = f.list.CompleteSearch();
  EXPECT_EQ(f.link.addresses, (std::vector<uint8_t>{7, 0}));
  EXPECT_TRUE(effects.switchedToNetwork);
  EXPECT_EQ(f.model.NetworkMode, 1);
}

TEST(MachineList, TheOnlyProcessorBecomesTheTargetAndIsRead) {
  Fixture f;
  f.Find("10.0.0.7", 1);
  const auto effects = f.list.OnReply(7, true, true);
  EXPECT_TRUE(f.list.entries()[0].target);
  EXPECT_EQ(f.model.TargetAddress, 7);
  EXPECT_TRUE(effects.showReadingNotice);
  EXPECT_EQ(effects.targetAddressText, "10.0.0.7");
  EXPECT_EQ(f.link.SentTypes(), std::vector<int>{0});
  EXPECT_EQ(effects.restartWatchdogs, std::vector<int>{MachineList::kFirstTimerId});

  Fixture two;
  two.Find("10.0.0.7", 1);
  two.Find("10.0.0.8", 2);
  two.list.OnReply(7, true, true);
  EXPECT_FALSE(two.list.entries()[0].target);
  EXPECT_TRUE(two.list.entries()[0].online);
  EXPECT_TRUE(two.link.sent.empty());
}

TEST(MachineList, ThreeSilentWatchdogPeriodsTakeAProcessorOffline) {
  Fixture f;
  f.Find("10.0.0.7", 1);
  f.list.Connect(
      0, false, [] { return true; }, nullptr);  // the target, not yet linked
  f.list.OnReply(7, true, false);
  EXPECT_FALSE(f.list.OnWatchdog(0).repaint);
  EXPECT_FALSE(f.list.OnWatchdog(0).repaint);
  const auto third = f.list.OnWatchdog(0);
  EXPECT_TRUE(third.repaint);
  EXPECT_TRUE(third.lampChanged);
  EXPECT_FALSE(third.lamp);
  EXPECT_FALSE(f.list.entries()[0].online);
  f.list.OnReply(7, true, false);  // any reply brings it back
  EXPECT_TRUE(f.list.entries()[0].online);
}

TEST(MachineList, AnOpenLinkKeepsAnIdleProcessorOnlineUntilItGoesDown) {
  Fixture f;
  f.Find("10.0.0.7", 1);
  f.list.OnReply(7, true, true);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(f.list.OnWatchdog(0).repaint) << i;
  EXPECT_TRUE(f.list.entries()[0].online);
  const auto down = f.list.OnReply(7, false, true);
  EXPECT_TRUE(down.repaint);
  EXPECT_FALSE(f.list.entries()[0].online);
}

TEST(MachineList, ConnectDependsOnPresenceAndTarget) {
  Fixture f;
  f.Find("10.0.0.7", 1);
  f.Find("10.0.0.8", 2);
  bool refused = false;
  const auto never = [] { return false; };
  const auto always = [] { return true; };

  f.list.Connect(1, true, never, &refused);  // double-click on an offline processor
  EXPECT_TRUE(refused);
  EXPECT_FALSE(f.list.entries()[1].target);

  f.list.Connect(1, false, never, &refused);  // offline: becomes the target, link opened
  EXPECT_TRUE(f.list.entries()[1].target);
  EXPECT_EQ(f.model.TargetAddress, 8);
  EXPECT_TRUE(f.link.sent.empty());

  f.list.OnReply(7, true, false);
  f.list.Connect(0, false, never, &refused);  // online, not the target, cancelled
  EXPECT_FALSE(f.list.entries()[0].target);
  const auto effects = f.list.Connect(0, false, always, &refused);
  EXPECT_TRUE(f.list.entries()[0].target);
  EXPECT_FALSE(f.list.entries()[1].target);
  EXPECT_TRUE(effects.showReadingNotice);
  EXPECT_EQ(f.link.SentTypes(), std::vector<int>{0});
}

TEST(MachineList, WellFormedAddresses) {
  const std::pair<const char*, bool> cases[] = {{"192.168.1.110", true}, {"192.168.1.110.", true},
                                                {"192.168..110", false}, {"1234.1.1.1", false},
                                                {"abc.d.e.f", true},     {"1.2.3", false}};
  for (auto [ip, ok] : cases) EXPECT_EQ(MachineList::WellFormed(ip), ok) << ip;
}

}  // namespace
}  // namespace qv
