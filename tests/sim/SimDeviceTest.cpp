#include "SimDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

namespace qv::sim {
namespace {

using namespace std::chrono_literals;
using Replies = std::vector<SimReply>;
constexpr int kAck = 23;
constexpr int kEvent = 24;

// A payload as the console sends it: the given leading bytes, 0x55 after them.
Payload Raw(const std::vector<uint8_t>& head) {
  Payload p;
  p.fill(0x55);
  std::copy(head.begin(), head.end(), p.begin());
  return p;
}

std::vector<int> Kinds(const Replies& replies) {
  std::vector<int> kinds;
  for (const SimReply& r : replies) kinds.push_back(r.kind);
  return kinds;
}

std::vector<uint8_t> EventBytes(std::initializer_list<uint8_t> head) {
  std::vector<uint8_t> bytes(8, 0);
  std::copy(head.begin(), head.end(), bytes.begin());
  return bytes;
}

// A processor whose host clock stands still until the test moves it.
class SimDeviceTest : public ::testing::Test {
 protected:
  SimDeviceTest()
      : dev(SimDeviceOptions{
            .now = [this] { return hostNow; },
            .taskFired = [this](int task, int preset) { fired.emplace_back(task, preset); }}) {}

  Replies Send(int type, const std::vector<uint8_t>& head = {}) {
    return dev.OnCommand(type, Raw(head));
  }
  void MoveWindow0(int width) {
    Send(4, {0, 0, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8), 100, 0,
             0, 0});
  }

  std::chrono::system_clock::time_point hostNow = std::chrono::system_clock::now();
  // Tasks that recalled their preset: task, preset.
  std::vector<std::pair<int, int>> fired;
  SimDevice dev;
};

TEST_F(SimDeviceTest, GreetsWithPreviewCapabilityAndInputSignals) {
  const Replies r = dev.OnConnect();
  ASSERT_EQ(Kinds(r), (std::vector<int>{1, 22}));
  EXPECT_EQ(r[0].payload, std::vector<uint8_t>{1});
  EXPECT_EQ(r[1].payload.size(), 8u);
  EXPECT_EQ(r[1].payload[0], dev.record().InputState[0]);

  SimDeviceOptions quiet;
  quiet.previewStream = false;
  EXPECT_EQ(SimDevice(quiet).OnConnect()[0].payload, std::vector<uint8_t>{0});
}

TEST_F(SimDeviceTest, FullStateIsTheWholeRecord) {
  const Replies r = Send(0);
  ASSERT_EQ(Kinds(r), std::vector<int>{2});
  ASSERT_EQ(r[0].payload.size(), kDeviceRecordSize);
  EXPECT_EQ(std::memcmp(r[0].payload.data(), &dev.record(), kDeviceRecordSize), 0);
  EXPECT_EQ(dev.record().ResoIndex, 10);
  EXPECT_EQ(dev.record().HReso, 1920);
}

TEST_F(SimDeviceTest, InputTimingCarriesTheSlotInItsFirstByte) {
  const Replies one = Send(48, {3});
  ASSERT_EQ(Kinds(one), std::vector<int>{4});
  ASSERT_EQ(one[0].payload.size(), 10u);
  EXPECT_EQ(one[0].payload[0], 3);
  EXPECT_EQ(one[0].payload[2] | one[0].payload[3] << 8, 1280);
  EXPECT_EQ(Send(48, {0xFF}).size(), 8u);
}

TEST_F(SimDeviceTest, PresetSaveAndLoadRoundTrip) {
  MoveWindow0(800);
  const Replies saved = Send(1, {2, 3});
  ASSERT_EQ(Kinds(saved), (std::vector<int>{17, kAck}));
  EXPECT_EQ(saved[0].payload, (std::vector<uint8_t>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));

  MoveWindow0(400);
  Send(17, {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // the schedule goes on after the save
  const Replies loaded = Send(1, {1, 3});
  EXPECT_EQ(Kinds(loaded), (std::vector<int>{10, 10, 10, 10, 14, 20, kAck}));
  EXPECT_EQ(dev.record().Chnl[0].HAct, 800);
  EXPECT_EQ(dev.record().TaskStatus, 1) << "a preset does not carry the schedule";
  EXPECT_EQ(Send(68)[0].payload[3], 1);
}

TEST_F(SimDeviceTest, TemplatesAreBuiltInLayoutsOnTheOutput) {
  const Replies r = Send(1, {0, 5});  // the quad layout
  EXPECT_EQ(Kinds(r), (std::vector<int>{10, 10, 10, 10, 14, 20, kAck}));
  for (const ChnlData& ch : dev.record().Chnl) {
    EXPECT_EQ(ch.ChnlOnOff, 1);
    EXPECT_EQ(ch.HAct, 960);
    EXPECT_EQ(ch.VAct, 540);
  }
  EXPECT_EQ(dev.record().Chnl[3].HPos, 960);
  EXPECT_FALSE(dev.presetValid(5)) << "a template is not a preset";
}

TEST_F(SimDeviceTest, TakeSwapsProgramAndPreview) {
  EXPECT_EQ(Send(20, {0}).at(0).payload, EventBytes({4, 20, 0})) << "no switcher, no take";

  EXPECT_EQ(Kinds(Send(15, {1})), (std::vector<int>{20, kEvent, kAck}));
  const DeviceStatusRecord& r = dev.record();
  EXPECT_EQ(std::vector<uint8_t>(r.PgmState, r.PgmState + 4), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(r.PvwState, r.PvwState + 4), (std::vector<uint8_t>{0, 1, 1, 1}));

  const Replies take = Send(20, {0});
  ASSERT_EQ(Kinds(take), (std::vector<int>{20, kEvent, kAck}));
  EXPECT_EQ(take[1].payload, EventBytes({2})) << "the console's waiting dialog closes";
  EXPECT_EQ(std::vector<uint8_t>(take[0].payload.begin() + 8, take[0].payload.end()),
            (std::vector<uint8_t>{0, 1, 1, 1, 1, 0, 0, 0}));
}

TEST_F(SimDeviceTest, TheSwitcherModeReportsTheWindowsAndTheLogoItChanges) {
  Send(8, {1, 0, 64});  // window 1 off
  // One panel switches window 1 on as the preview of the pair.
  EXPECT_EQ(Kinds(Send(15, {1})), (std::vector<int>{20, 14, kEvent, kAck}));
  EXPECT_EQ(dev.record().Chnl[1].ChnlOnOff, 1);
  Send(9, {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});  // window 3 carries the logo
  ASSERT_EQ(dev.record().LogoUsage, 1);
  // Two panels need window 3 as a picture.
  EXPECT_EQ(Kinds(Send(15, {2})), (std::vector<int>{20, 15, kEvent, kAck}));
  EXPECT_EQ(dev.record().LogoUsage, 0);
  // The mode already in force changes nothing more.
  EXPECT_EQ(Kinds(Send(15, {2})), (std::vector<int>{20, kEvent, kAck}));
}

TEST_F(SimDeviceTest, OnAirWindowKeepsItsSource) {
  Send(15, {1});
  EXPECT_EQ(Send(7, {0, 3, 0}).at(0).payload, EventBytes({4, 7, 0}));
  EXPECT_EQ(Kinds(Send(7, {1, 3, 0})), (std::vector<int>{14, kAck}));
}

struct OutOfRange {
  const char* name;
  int type;
  std::vector<uint8_t> head;
  std::vector<uint8_t> event;
};

class OutOfRangeIndices : public SimDeviceTest, public ::testing::WithParamInterface<OutOfRange> {};

TEST_P(OutOfRangeIndices, AreRefusedWithoutTouchingTheState) {
  const OutOfRange& c = GetParam();
  const DeviceStatusRecord before = dev.record();
  const Replies r = Send(c.type, c.head);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].kind, kEvent);
  EXPECT_EQ(r[0].payload, c.event);
  EXPECT_EQ(std::memcmp(&before, &dev.record(), sizeof before), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, OutOfRangeIndices,
    ::testing::Values(
        OutOfRange{"PresetNumber", 1, {2, 10}, EventBytes({4, 1, 10})},
        OutOfRange{"PresetNeverSaved", 1, {1, 4}, EventBytes({4, 1, 4})},
        OutOfRange{"ResolutionIndex", 2, {19, 0x80, 7, 0x38, 4}, EventBytes({4, 2, 19})},
        OutOfRange{"PictureWindow", 3, {1, 7, 17, 0, 4}, EventBytes({4, 3, 4})},
        OutOfRange{"GeometryWindow", 4, {4, 0, 0, 0, 0, 100, 0, 100, 0}, EventBytes({4, 4, 4})},
        OutOfRange{"CropWindow", 5, {9, 1}, EventBytes({4, 5, 9})},
        OutOfRange{"MosaicCell", 6, {2, 0, 5, 4}, EventBytes({4, 6, 4})},
        OutOfRange{"MosaicMode", 6, {0, 6, 5, 0}, EventBytes({4, 6, 6})},
        OutOfRange{"InputWindow", 7, {4, 1, 0}, EventBytes({4, 7, 4})},
        OutOfRange{"InputCode", 7, {0, 9, 0}, EventBytes({4, 7, 90})},
        OutOfRange{"UnsplitHalf", 7, {0, 4, 1}, EventBytes({4, 7, 41})},
        OutOfRange{"WindowStateWindow", 8, {4, 1, 64}, EventBytes({4, 8, 4})},
        OutOfRange{"LogoSlot", 9, {1, 4}, EventBytes({4, 9, 4})},
        OutOfRange{"EmptyLogoSlot", 9, {1, 2}, EventBytes({4, 9, 2})},
        OutOfRange{"EdidWithoutRecord", 10, {5, 1}, EventBytes({0, 5, 0})},
        OutOfRange{"KeyerChannel", 11, {}, EventBytes({4, 11, 0x55})},
        OutOfRange{"TestPattern", 12, {112}, EventBytes({4, 12, 112})},
        OutOfRange{"VgaSlot", 14, {0, 8, 0}, EventBytes({4, 14, 8})},
        OutOfRange{"TaskNumber", 17, {1, 0, 26, 1, 1, 0, 0, 0, 10, 0, 1}, EventBytes({4, 17, 10})},
        OutOfRange{"TaskPreset", 17, {1, 0, 26, 1, 1, 0, 0, 0, 2, 10, 1}, EventBytes({4, 17, 2})},
        OutOfRange{"ImpossibleClock", 17, {0, 0, 26, 2, 30, 0, 0, 0, 0}, EventBytes({4, 17, 0})},
        OutOfRange{"LoopOutSource", 18, {8}, EventBytes({4, 18, 8})},
        OutOfRange{"SyncMode", 21, {1, 3}, EventBytes({4, 21, 3})},
        OutOfRange{"CaptionSlot", 23, {4, 2, 0, 0}, EventBytes({4, 23, 4})},
        OutOfRange{"CaptionTooHigh", 23, {0, 0, 0x58, 2, 129, 0, 0}, EventBytes({12, 1})},
        OutOfRange{"EncoderResolution", 25, {0, 15, 2, 4, 0}, EventBytes({4, 25, 2})},
        OutOfRange{"NoCompositeBoard", 33, {0, 1}, EventBytes({4, 33, 0})},
        OutOfRange{"TimingSlot", 48, {8}, EventBytes({4, 48, 8})},
        OutOfRange{"GeometryQuery", 54, {200}, EventBytes({4, 54, 200})},
        OutOfRange{"MosaicQuery", 56, {4}, EventBytes({4, 56, 4})},
        OutOfRange{"CaptionQuery", 70, {4}, EventBytes({4, 70, 4})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimDeviceTest, UnknownTypesAreOnlyAcknowledged) {
  for (int type : {26, 34, 40, 80, 0xFFFF}) {
    EXPECT_EQ(Kinds(Send(type)), std::vector<int>{kAck}) << type;
  }
}

TEST_F(SimDeviceTest, WithheldAcknowledgementsLeaveTheStateReplies) {
  dev.SetWithholdAcks(true);
  EXPECT_EQ(Kinds(Send(18, {4})), std::vector<int>{18});
  EXPECT_EQ(dev.record().LoopOutIp, 4);
}

TEST_F(SimDeviceTest, EdidBeyondTheInputsPixelClockFails) {
  // 3840 x 2160 at 60 Hz needs about 590 MHz; DVI-1 takes 165.
  const Replies r = Send(10, {0, 1, 0x00, 0x0F, 0x70, 0x08, 0x70, 0x17});
  ASSERT_EQ(Kinds(r), (std::vector<int>{6, kEvent, kAck}));
  EXPECT_EQ(r[1].payload, EventBytes({0, 0, 0}));
  EXPECT_EQ(dev.record().Edid[0].HAct, 1920);
}

TEST_F(SimDeviceTest, VgaAutoAdjustReportsItsOutcome) {
  // Slot 7 holds a VGA card with a signal; slot 0 is DVI.
  const Replies vga = Send(14, {0, 7, 1});
  ASSERT_EQ(Kinds(vga), (std::vector<int>{5, kEvent, kAck}));
  EXPECT_EQ(vga[1].payload, EventBytes({1, 1}));
  EXPECT_EQ(dev.vga(7).clock, 1344u);
  EXPECT_EQ(Send(14, {0, 0, 1}).at(1).payload, EventBytes({1, 0}));
}

TEST_F(SimDeviceTest, FeatheringNeedsATwoPanelMosaic) {
  EXPECT_EQ(Kinds(Send(35, {1, 1, 0, 1, 0, 1, 0, 1, 0, 3})), (std::vector<int>{30, kAck}));
  EXPECT_EQ(dev.featherOnOff(), 0);
  Send(6, {0, 2, 8, 0});
  Send(35, {1, 1, 0, 1, 0, 1, 0, 1, 0, 3});
  EXPECT_EQ(dev.featherOnOff(), 1);
  Send(6, {0, 1, 8, 0});  // back to one panel
  EXPECT_EQ(dev.featherOnOff(), 0);
}

TEST_F(SimDeviceTest, MosaicModeChangeAsksTheConsoleToReadWindowsAgain) {
  const Replies r = Send(6, {0, 5, 8, 0});
  ASSERT_EQ(Kinds(r), (std::vector<int>{kEvent, kAck}));
  EXPECT_EQ(r[0].payload, EventBytes({11, 0}));
  EXPECT_EQ(dev.record().MosaicMode, 5);
  EXPECT_EQ(dev.record().MosaicAutoArr, 5);
}

TEST_F(SimDeviceTest, EncoderSettingsChooseThePreview) {
  // "Ultra Clear": 7 frames a second, code 17, 8192 kbit/s.
  EXPECT_EQ(Kinds(Send(25, {0, 7, 17, 0x20, 0x00, 7, 17, 0x20, 0x00})),
            (std::vector<int>{28, kAck}));
  EXPECT_EQ(dev.preview().width, 1920);
  EXPECT_EQ(dev.preview().height, 1080);
  EXPECT_EQ(Send(66, {2}).at(0).payload,
            (std::vector<uint8_t>{2, 0, 7, 17, 0x20, 0x00, 0, 0, 0, 0}));
  EXPECT_EQ(Send(66, {0}).at(0).payload, (std::vector<uint8_t>{0, 0, 0, 0, 0, 127, 0, 0, 1, 0}));
}

TEST_F(SimDeviceTest, PixelGrabReadsTheOutputsColourBars) {
  // Column 1000 of 1920 lies in the fourth bar, green.
  const Replies r = Send(13, {1, 0xE8, 0x03, 10, 0});
  ASSERT_EQ(Kinds(r), (std::vector<int>{3, kAck}));
  EXPECT_EQ(r[0].payload, (std::vector<uint8_t>{0, 0, 191, 0, 0, 0}));
}

TEST_F(SimDeviceTest, ResetRestoresTheFactoryStateAndAsksForAFullRead) {
  Send(1, {2, 0});
  MoveWindow0(640);
  const Replies r = Send(19);
  ASSERT_EQ(Kinds(r), (std::vector<int>{kAck, kEvent}));
  EXPECT_EQ(r[1].payload, EventBytes({6, 1}));
  EXPECT_EQ(dev.record().Chnl[0].HAct, 1920);
  EXPECT_FALSE(dev.presetValid(0));
}

// ---- caption upload

class CaptionUpload : public SimDeviceTest {
 protected:
  // A 600 x 20 caption into slot 1: 76-byte rows.
  static constexpr int kRowBytes = 76;
  void Start() {
    ASSERT_EQ(Send(23, {1, 0, 0x58, 0x02, 20, 0, 0}).at(0).payload, EventBytes({12, 0}));
  }
  Replies Block(int offset, int rows, uint8_t fill = 0xA5) {
    const std::vector<uint8_t> data(static_cast<std::size_t>(rows) * kRowBytes, fill);
    return dev.OnBlock(offset, data);
  }
};

TEST_F(CaptionUpload, EachBlockIsAcknowledgedWithItsOffset) {
  Start();
  struct Case {
    int offset, rows;
    uint8_t taken;
  };
  for (const Case c :
       {Case{0, 17, 1}, Case{17 * kRowBytes, 3, 1}, Case{20 * kRowBytes, 1, 0}, Case{10, 1, 0}}) {
    const Replies r = Block(c.offset, c.rows);
    ASSERT_EQ(Kinds(r), std::vector<int>{kEvent}) << c.offset;
    const uint16_t length = static_cast<uint16_t>(c.rows * kRowBytes);
    EXPECT_EQ(
        r[0].payload,
        EventBytes({7, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8), c.taken,
                    static_cast<uint8_t>(c.offset), static_cast<uint8_t>(c.offset >> 8), 0, 0}))
        << c.offset;
  }
}

TEST_F(CaptionUpload, FinishingStoresTheImageInTheSlot) {
  Start();
  Block(0, 17, 0x11);
  Block(17 * kRowBytes, 3, 0x22);
  const Replies r = Send(23, {1, 1, 0x58, 0x02, 20, 0, 10, 0, 30, 0});
  ASSERT_EQ(Kinds(r), (std::vector<int>{25, kAck}));
  EXPECT_EQ(r[0].payload[14], 1) << "the console reads the slot from byte 14";
  EXPECT_EQ(r[0].payload[28], 1);
  EXPECT_EQ(r[0].payload[4], 10);
  const std::vector<uint8_t>& image = dev.captions().Image(1);
  ASSERT_EQ(image.size(), 20u * kRowBytes);
  EXPECT_EQ(image.front(), 0x11);
  EXPECT_EQ(image.back(), 0x22);
}

TEST_F(CaptionUpload, BlocksWithoutAnUploadOrWithheldAcksAreNotTaken) {
  EXPECT_EQ(Block(0, 1).at(0).payload[3], 0);
  Start();
  dev.SetWithholdBlockAcks(true);
  EXPECT_TRUE(Block(0, 1).empty());
}

TEST_F(CaptionUpload, SaveAndResetAnswerTheirEvents) {
  EXPECT_EQ(Send(24, {1, 1}).at(0).payload, EventBytes({8}));
  Send(24, {1, 2, 1});
  EXPECT_EQ(Send(70, {1}).at(0).payload[12], 1);
  EXPECT_EQ(Send(24, {0x55, 5}).at(0).payload, EventBytes({10}));
  EXPECT_EQ(Send(70, {1}).at(0).payload[12], 0);
}

// ---- clock and tasks

TEST_F(SimDeviceTest, ClockRunsFromTheTimeTheConsoleSet) {
  ASSERT_EQ(Kinds(Send(17, {0, 0, 26, 3, 14, 9, 26, 50, 0})), (std::vector<int>{13, kAck}));
  hostNow += 75s;
  EXPECT_EQ(Send(51, {0}).at(0).payload, (std::vector<uint8_t>{26, 3, 14, 9, 28, 5}));
}

class ScheduledTasks : public SimDeviceTest {
 protected:
  void SetUp() override {
    Send(17, {0, 0, 26, 3, 14, 9, 0, 0, 0});  // 2026-03-14 09:00:00
    MoveWindow0(800);
    Send(1, {2, 4});  // preset 4: window 0 800 wide
    MoveWindow0(400);
    Send(17, {2, 1, 0, 0, 0, 0, 0, 0, 0});  // schedule on
    dev.Tick(hostNow);
  }
  void Task(int option, uint8_t day, uint8_t hour, uint8_t minute) {
    Send(17, {1, 1, 26, 3, day, hour, minute, 0, 0, 4, static_cast<uint8_t>(option)});
  }
  Replies TickAfter(std::chrono::seconds s) {
    hostNow += s;
    return dev.Tick(hostNow);
  }
};

TEST_F(ScheduledTasks, OnceTaskRecallsItsPresetWhenDue) {
  Task(1, 14, 9, 2);
  EXPECT_TRUE(TickAfter(60s).empty());
  const Replies r = TickAfter(60s);
  ASSERT_EQ(Kinds(r), std::vector<int>{kEvent});
  EXPECT_EQ(r[0].payload, EventBytes({6, 1}));
  EXPECT_EQ(dev.record().Chnl[0].HAct, 800);
  EXPECT_EQ(fired, (std::vector<std::pair<int, int>>{{0, 4}}));
  MoveWindow0(400);
  EXPECT_TRUE(TickAfter(24h).empty()) << "a task for one day fires once";
}

TEST_F(ScheduledTasks, DailyTaskFiresEveryDay) {
  Task(2, 1, 9, 1);  // the date of a daily task does not matter
  EXPECT_EQ(TickAfter(90s).size(), 1u);
  MoveWindow0(400);
  EXPECT_TRUE(TickAfter(12h).empty());
  EXPECT_EQ(TickAfter(12h).size(), 1u);
  EXPECT_EQ(dev.record().Chnl[0].HAct, 800);
}

TEST_F(ScheduledTasks, NothingFiresWithTheScheduleOff) {
  Task(1, 14, 9, 1);
  Send(17, {2, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(TickAfter(5min).empty());
  EXPECT_EQ(dev.record().Chnl[0].HAct, 400);
}

TEST_F(ScheduledTasks, SettingTheClockAcrossATaskDoesNotFireIt) {
  Task(1, 14, 12, 0);
  Send(17, {0, 0, 26, 3, 14, 13, 0, 0, 0});
  EXPECT_TRUE(TickAfter(1s).empty());
}

}  // namespace
}  // namespace qv::sim
