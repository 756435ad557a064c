// The simulated processor against the console's own link core: the console's
// encoder builds every command, and the console's reply handling takes every
// answer, so a layout that differs on either side shows as a record mismatch.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "SimHarness.h"

namespace qv {
namespace {

using sim::SimReply;
constexpr int kAck = 23;
constexpr int kEvent = 24;

std::vector<int> Kinds(const std::vector<SimReply>& replies) {
  std::vector<int> kinds;
  for (const SimReply& r : replies) kinds.push_back(r.kind);
  return kinds;
}

bool Refused(const SimReply& r) {
  return r.kind == kEvent && r.payload[0] == 4;
}

bool SameRecord(const DeviceStatusRecord& a, const DeviceStatusRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class FullRead : public ::testing::TestWithParam<bool> {};

TEST_P(FullRead, ConsoleEndsWithTheProcessorsStateAndTheDialogClosed) {
  test::SimHarness h(sim::SimDeviceOptions{.compositeBoard = GetParam()});
  h.encoder.EncodeAndSend(CommandType::QueryFullState);
  h.Pump();

  EXPECT_TRUE(SameRecord(h.model.rec, h.sim.record()));
  const auto& events = h.sink.events;
  EXPECT_NE(std::find(events.begin(), events.end(), std::pair{test::RecordingSink::kClosed, 0}),
            events.end());
  // Every request of the full read and of its follow-ups was answered.
  for (const SimReply& r : h.AllReplies()) EXPECT_FALSE(Refused(r));
  // The batch after the record ends with the request whose answer is the preset flags.
  const auto last = std::find_if(h.exchanges.begin(), h.exchanges.end(),
                                 [](const test::SimExchange& e) { return e.type == 68; });
  ASSERT_NE(last, h.exchanges.end());
  EXPECT_EQ(Kinds(last->replies), std::vector<int>{17});
  // What only the follow-ups carry reached the console too.
  EXPECT_EQ(std::string(h.model.MiscInfo.begin() + 2, h.model.MiscInfo.begin() + 6), "QVSM");
  EXPECT_EQ(h.model.EncoderStatus[0], 1);  // the status chain 2, 0, 1 ran to its end
  EXPECT_NE(h.model.DeviceClock[1], 0);
}

INSTANTIATE_TEST_SUITE_P(CompositeBoard, FullRead, ::testing::Bool());

struct SettingCase {
  const char* name;
  std::function<void(DeviceModel&, CommandEncoder&)> send;
  int type;
  std::vector<int> kinds;
  std::function<bool(const DeviceStatusRecord&)> applied;
  // False where the answer only tells the console to refresh (the output
  // notice): the console then keeps its own edit.
  bool answerCarriesState = true;
};

class Settings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(Settings, AppliedAnsweredAndMirroredByTheConsole) {
  const SettingCase& c = GetParam();
  test::SimHarness h;
  h.encoder.EncodeAndSend(CommandType::QueryFullState);
  h.Pump();
  h.exchanges.clear();

  // The console edits its model before sending; it forgets the edit here, so
  // only the processor's answers can bring it to the processor's state.
  const DeviceStatusRecord before = h.model.rec;
  c.send(h.model, h.encoder);
  if (c.answerCarriesState) h.model.rec = before;
  h.Pump();

  ASSERT_FALSE(h.exchanges.empty());
  EXPECT_EQ(h.exchanges[0].type, c.type);
  EXPECT_EQ(Kinds(h.exchanges[0].replies), c.kinds);
  EXPECT_TRUE(c.applied(h.sim.record()));
  EXPECT_TRUE(SameRecord(h.model.rec, h.sim.record()));
}

std::vector<uint8_t> KeyerArgs(uint8_t channel) {
  std::vector<uint8_t> args(32, 0);
  args[31] = channel;
  return args;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Settings,
    ::testing::Values(
        SettingCase{"OutputTiming",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.ResoIndex = 4;
                      m.rec.HReso = 1280;
                      m.rec.VReso = 720;
                      m.rec.HTotal = 1650;
                      m.rec.VTotal = 750;
                      e.EncodeAndSend(CommandType::SetOutputTiming);
                    },
                    2,
                    {9, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.ResoIndex == 4 && r.HReso == 1280 && r.VTotal == 750;
                    },
                    false},
        SettingCase{"PictureOfTheWindowsInput",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.PicMode = 7;
                      m.rec.Gamma = 2.2f;
                      m.rec.Picture[m.PictureRecordOf(1)].Brightness = 70;
                      e.EncodeAndSend(CommandType::SetPictureSettings, {1});
                    },
                    3,
                    {8, kAck},
                    [](const DeviceStatusRecord& r) {
                      // Window 1 shows HDMI-1: group 1, record 1 + 4.
                      return r.PicMode == 7 && r.Picture[5].Brightness == 70 &&
                             r.Picture[1].Brightness == 50;
                    }},
        SettingCase{"WindowGeometry",
                    [](DeviceModel& m, CommandEncoder& e) {
                      ChnlData& ch = m.rec.Chnl[2];
                      ch.HPos = 100;
                      ch.VPos = 200;
                      ch.HAct = 640;
                      ch.VAct = 360;
                      ch.ChnlRotation = 1;
                      e.EncodeAndSend(CommandType::SetWindowGeometry, {2});
                    },
                    4,
                    {10, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.Chnl[2].HPos == 100 && r.Chnl[2].VAct == 360 &&
                             r.Chnl[2].ChnlRotation == 1;
                    }},
        SettingCase{"Crop",
                    [](DeviceModel& m, CommandEncoder& e) {
                      CropSettings& c = m.rec.Crop[m.PictureRecordOf(0)];
                      c.CropOnOff = 1;
                      c.HPos = 100;
                      c.VPos = 50;
                      c.HAct = 800;
                      c.VAct = 600;
                      e.EncodeAndSend(CommandType::SetCrop, {0, 0});
                    },
                    5,
                    {11, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.Crop[0].CropOnOff == 1 && r.Crop[0].HAct == 800;
                    }},
        SettingCase{"MosaicCell",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.CellHPos[1] = 10;
                      m.rec.CellHAct[1] = 1000;
                      m.rec.CellHEnd[1] = 1200;
                      e.EncodeAndSend(CommandType::SetMosaicCell, {1, 2});
                    },
                    6,
                    {12, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.CellHPos[1] == 10 && r.CellHAct[1] == 1000 && r.CellHEnd[1] == 1200;
                    }},
        SettingCase{"WindowInput",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.Chnl[1].ChnlInput = 7;
                      e.EncodeAndSend(CommandType::SetWindowInput, {1});
                    },
                    7,
                    {14, kAck},
                    [](const DeviceStatusRecord& r) { return r.Chnl[1].ChnlInput == 7; }},
        SettingCase{"WindowState",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.Chnl[3].ChnlOnOff = 1;
                      m.rec.Chnl[3].ChnlAlpha = 32;
                      e.EncodeAndSend(CommandType::SetWindowState, {2});
                    },
                    8,
                    {14, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.Chnl[3].ChnlOnOff == 1 && r.Chnl[3].ChnlAlpha == 32;
                    }},
        SettingCase{"LogoSave",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.LogoSlotSel = 2;
                      m.LogoAltGeom[8 + 2] = 200;
                      m.LogoAltGeom[12 + 2] = 100;
                      e.EncodeAndSend(CommandType::SetLogo, {2, 0});
                    },
                    9,
                    {15, kEvent, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.LogoValid[2] == 1 && r.LogoHAct[2] == 200 && r.LogoVAct[2] == 100;
                    }},
        SettingCase{"EdidApply",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.Edid[0].HAct = 1280;
                      m.rec.Edid[0].VAct = 720;
                      e.EncodeAndSend(CommandType::SetEdid, {0, 1});
                    },
                    10,
                    {6, kEvent, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.Edid[0].HAct == 1280 && r.Edid[0].VAct == 720;
                    }},
        SettingCase{"Keyer",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.Keyer[1].KeyerOnOff = 1;
                      m.rec.Keyer[1].KeyerGreenL = 99;
                      const std::vector<uint8_t> args = KeyerArgs(1);
                      e.EncodeAndSend(11, std::span<const uint8_t>(args));
                    },
                    11,
                    {16, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.Keyer[1].KeyerOnOff == 1 && r.Keyer[1].KeyerGreenL == 99 &&
                             r.Keyer[0].KeyerOnOff == 0;
                    }},
        SettingCase{"FadeDuration",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.PvwDTime = 4;
                      e.EncodeAndSend(CommandType::SetPvwDTime);
                    },
                    16,
                    {20, kAck},
                    [](const DeviceStatusRecord& r) { return r.PvwDTime == 4; }},
        SettingCase{"Task",
                    [](DeviceModel& m, CommandEncoder& e) {
                      TaskEntry& t = m.rec.Task[3];
                      t.Hour = 7;
                      t.Min = 30;
                      t.PresetId = 1;
                      t.TaskOption = 2;
                      e.EncodeAndSend(CommandType::SetTaskTime, {3, 1});
                    },
                    17,
                    {7, kAck},
                    [](const DeviceStatusRecord& r) {
                      return r.Task[3].Hour == 7 && r.Task[3].PresetId == 1 &&
                             r.Task[3].TaskOption == 2;
                    }},
        SettingCase{"LoopOut",
                    [](DeviceModel& m, CommandEncoder& e) {
                      m.rec.LoopOutIp = 5;
                      e.EncodeAndSend(CommandType::SetLoopOutIp);
                    },
                    18,
                    {18, kAck},
                    [](const DeviceStatusRecord& r) { return r.LoopOutIp == 5; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimDeviceConsole, WholeRecordFromTheConsoleKeepsTheHardwareAndIsReadBack) {
  test::SimHarness h;
  h.encoder.EncodeAndSend(CommandType::QueryFullState);
  h.Pump();

  h.model.rec.Chnl[0].HAct = 960;
  h.model.rec.InputSrc[7] = 4;  // a project file can claim another card
  h.encoder.EncodeAndSend(CommandType::WriteFullState);
  h.Pump();

  EXPECT_EQ(h.sim.record().Chnl[0].HAct, 960);
  EXPECT_EQ(h.sim.record().InputSrc[7], 3);
  // The processor asked for a full read, which corrected the console and closed its notice.
  EXPECT_EQ(h.model.rec.InputSrc[7], 3);
  EXPECT_TRUE(SameRecord(h.model.rec, h.sim.record()));
}

}  // namespace
}  // namespace qv
