#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "support/LinkHarness.h"

namespace qv {
namespace {

using Events = std::vector<std::pair<int, int>>;
using Bytes = std::vector<uint8_t>;
constexpr int kClosed = test::RecordingSink::kClosed;
constexpr std::pair<int, int> kAck{23, 0};

class ReplyDispatcherTest : public ::testing::Test, protected test::LinkHarness {
 protected:
  void Deliver(int kind, const Bytes& payload, int arg = 0, uint8_t source = 110) {
    link.Deliver(kind, payload, arg, source);
    scheduler.RunPending();
  }
  Bytes RecordBytes(const DeviceStatusRecord& rec) {
    Bytes bytes(kDeviceRecordSize);
    std::memcpy(bytes.data(), &rec, kDeviceRecordSize);
    return bytes;
  }
  // Sent commands as (type, first payload byte).
  std::vector<std::pair<int, int>> Sent() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& c : link.sent) out.emplace_back(c.type, c.payload[0]);
    return out;
  }
};

TEST_F(ReplyDispatcherTest, RegistersEveryKindInTheLibrarysOrder) {
  const std::vector<int> expected = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                     27, 22, 24, 26, 23, 25, 28, 29, 30, 31};
  EXPECT_EQ(link.registrationOrder, expected);
}

TEST_F(ReplyDispatcherTest, NothingTouchesTheModelBeforeTheOwnerThreadRuns) {
  link.Deliver(18, Bytes{7});
  EXPECT_EQ(model.rec.LoopOutIp, 0);
  EXPECT_TRUE(sink.events.empty());
  scheduler.RunPending();
  EXPECT_EQ(model.rec.LoopOutIp, 7);
}

struct SimpleCase {
  const char* name;
  int kind;
  Bytes payload;
  int arg;
  std::function<void(DeviceModel&)> check;
  Events events;
  std::vector<int> sentTypes;
};

Bytes Filled(std::size_t n, uint8_t start = 1) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(start + i);
  return b;
}

class SimpleReplies : public ReplyDispatcherTest,
                      public ::testing::WithParamInterface<SimpleCase> {};

TEST_P(SimpleReplies, StoreNotifyAndAcknowledge) {
  const SimpleCase& c = GetParam();
  model.rec.Chnl[1].ChnlInput = 1;  // window 1 on HDMI-1: picture/crop record 5
  model.rec.Edid[3].EdidInput = 33;
  Deliver(c.kind, c.payload, c.arg, 110);
  c.check(model);
  EXPECT_EQ(sink.events, c.events);
  EXPECT_EQ(link.SentTypes(), c.sentTypes);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SimpleReplies,
    ::testing::Values(
        SimpleCase{"SearchStatus", 0, {1}, 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.SearchStatus, 1);
                     EXPECT_EQ(m.ReplyArrived, 1);
                     EXPECT_EQ(m.ReplyAddress, 110);
                   },
                   {{0, 0}}, {}},
        SimpleCase{"DeviceFlag", 1, {5}, 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.DeviceFlagKind1, 1); }, {{1, 0}}, {}},
        SimpleCase{"TestPatternInfo", 3, {1, 0, 2, 0, 3, 1}, 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.TestPatternInfo[2], 0x103); },
                   {{3, 0}, kAck}, {}},
        SimpleCase{"VgaAdjust", 5, Filled(28), 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.Vga.VgaTarget, 1);
                     EXPECT_EQ(m.Vga.VgaClock, 0x08070605);
                     EXPECT_EQ(m.Vga.VgaHPos, 13);
                     EXPECT_EQ(m.Vga.VgaAdc[5], 0x1A19);
                   },
                   {{5, 0}, kAck}, {}},
        SimpleCase{"EdidMatchesByInput", 6, {33, 0, 0x80, 0x07, 0x38, 0x04, 0x70, 0x17, 1, 0, 2, 0}, 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.Edid[3].HAct, 1920);
                     EXPECT_EQ(m.rec.Edid[3].VBlank, 2);
                   },
                   {{6, 0}, kAck}, {}},
        SimpleCase{"EdidWithoutRecordOnlyNotifies", 6, {99, 0, 0x80, 0x07, 0, 0, 0, 0, 0, 0, 0, 0}, 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.rec.Edid[3].HAct, 0); },
                   {{6, 0}, kAck}, {}},
        SimpleCase{"Tasks", 7, Filled(124), 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.TaskStatus, 1);
                     EXPECT_EQ(m.rec.Task[0].Year, 5);
                     EXPECT_EQ(m.rec.Task[9].PresetId, 4 + 9 * 12 + 6 + 1);
                   },
                   {{7, 0}, kAck}, {}},
        SimpleCase{"PictureForWindowRecord", 8, Filled(32), 1,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.PicMode, 0x04030201);
                     EXPECT_EQ(m.rec.Picture[5].Brightness, 13);
                     EXPECT_EQ(m.rec.Picture[1].Brightness, 0);
                   },
                   {{8, 0}, kAck}, {}},
        SimpleCase{"OutputNotice", 9, {}, 0, [](DeviceModel&) {}, {{9, 0}, kAck}, {}},
        SimpleCase{"WindowGeometry", 10, Filled(20), 2,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.Chnl[2].HPos, 0x04030201);
                     EXPECT_EQ(m.rec.Chnl[2].ChnlRotation, 0x14131211);
                     EXPECT_EQ(m.LastWindowIndex, 2);
                   },
                   {{10, 2}, kAck}, {}},
        SimpleCase{"Crop", 11, Filled(14), 1,
                   [](DeviceModel& m) { EXPECT_EQ(m.rec.Crop[5].VTotal, 0x0E0D); },
                   {{11, 0}, kAck}, {}},
        SimpleCase{"Mosaic", 12, Filled(108), 3,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.MosaicMode, 0x04030201);
                     EXPECT_EQ(m.rec.CellVEnd[3], static_cast<int32_t>(0x6C6B6A69));
                   },
                   {{12, 3}, kAck}, {}},
        SimpleCase{"Clock", 13, Filled(6), 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.DeviceClock[5], 6); }, {{13, 0}, kAck}, {}},
        SimpleCase{"WindowSources", 14, {1, 200, 3, 0, 100, 4}, 2,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.Chnl[0].ChnlAlpha, 200);
                     EXPECT_EQ(m.rec.Chnl[1].ChnlInput, 4);
                   },
                   {{14, 0}, kAck}, {}},
        SimpleCase{"Logo", 15, Filled(42), 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.LogoUsage, 1);
                     EXPECT_EQ(m.rec.LogoValid[3], 42);
                   },
                   {{15, 0}, kAck}, {}},
        SimpleCase{"PresetFlagsCloseWaiting", 17, {1, 0, 1, 0, 0, 0, 0, 0, 0, 1}, 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.PresetValid[2], 1);
                     EXPECT_EQ(m.PresetValid[9], 1);
                   },
                   {{kClosed, 0}, {17, 0}, kAck}, {}},
        SimpleCase{"LoopOut", 18, {3}, 0, [](DeviceModel& m) { EXPECT_EQ(m.rec.LoopOutIp, 3); },
                   {{18, 0}, kAck}, {}},
        SimpleCase{"MiscInfo", 19, Filled(18), 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.MiscInfo[17], 18); }, {{19, 0}, kAck}, {}},
        SimpleCase{"PvwMode", 20, Filled(16), 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.PvwMode, 0x04030201);
                     EXPECT_EQ(m.rec.PvwState[3], 16);
                   },
                   {{20, 0}, kAck}, {}},
        SimpleCase{"DpModeSplitsAndMovesWindows", 21, {0, 1}, 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.rec.DpMode[0], 1);
                     EXPECT_TRUE(m.InputLabels[8].usable);
                   },
                   {{21, 0}, kAck}, {}},
        SimpleCase{"InputStateFromTarget", 22, Filled(8), 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.rec.InputState[7], 8); }, {{22, 0}, kAck}, {}},
        SimpleCase{"Ack", 23, {}, 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.ReplyArrived, 1);
                     EXPECT_EQ(m.ReplyAddress, 110);
                   },
                   {kAck}, {}},
        SimpleCase{"CaptionSlotByByte14", 25,
                   [] {
                     Bytes b = Filled(32);
                     b[14] = 2;
                     return b;
                   }(),
                   0, [](DeviceModel& m) { EXPECT_EQ(m.CaptionSlot[2][31], 32); },
                   {{25, 2}, kAck}, {}},
        SimpleCase{"EncoderStatusAsksAgainAfter2", 28, {2, 0, 0, 0, 0, 0, 0, 0, 0, 9}, 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.EncoderStatus[9], 9); },
                   {{28, 0}, kAck}, {66}},
        SimpleCase{"EncoderStatus1HasNoFollowUp", 28, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0,
                   [](DeviceModel&) {}, {{28, 0}, kAck}, {}},
        SimpleCase{"CompositeBoardAsksEdidAnd57", 29, Bytes(44, 0), 0,
                   [](DeviceModel&) {}, {{29, 0}, kAck}, {50, 57}},
        SimpleCase{"Feather", 30, Filled(36), 0,
                   [](DeviceModel& m) {
                     EXPECT_EQ(m.FeatherOnOff, 0x04030201);
                     EXPECT_EQ(m.FeatherSharp[0], 0x08070605);
                     EXPECT_EQ(m.FeatherLevel[3], 0x24232221);
                   },
                   {{30, 0}, kAck}, {}},
        SimpleCase{"OutputFlag", 31, {4}, 0,
                   [](DeviceModel& m) { EXPECT_EQ(m.rec.OutputFlag31, 4); }, {{31, 0}, kAck}, {}}),
    [](const ::testing::TestParamInfo<SimpleCase>& info) { return std::string(info.param.name); });

TEST_F(ReplyDispatcherTest, KeyerReplyPicksTheKeyerByChannel) {
  for (uint8_t channel : {3, 1, 2}) {
    Bytes payload = Filled(20, 0);
    payload[0] = channel;
    sink.events.clear();
    DeviceStatusRecord before = model.rec;
    Deliver(16, payload);
    if (channel == 3) {
      EXPECT_EQ(model.rec.Keyer[0].KeyerGainBnd, 16);
    } else if (channel == 1) {
      EXPECT_EQ(model.rec.Keyer[1].KeyerGainBnd, 16);
    } else {
      EXPECT_EQ(std::memcmp(&before, &model.rec, sizeof before), 0);
    }
    EXPECT_EQ(sink.events, (Events{{16, 0}, kAck})) << int(channel);
  }
}

TEST_F(ReplyDispatcherTest, HostFoundStoresTextAndClosesWaiting) {
  ReplyView view;
  view.text = "192.168.1.20";
  view.values = std::array<uint32_t, 2>{7, 9};
  link.handlers[27](view);
  scheduler.RunPending();
  EXPECT_EQ(model.HostText, "192.168.1.20");
  EXPECT_EQ(model.HostInfo[1], 9u);
  EXPECT_EQ(sink.events, (Events{{kClosed, 0}, {27, 0}}));

  ReplyView bare;
  bare.text = "x";
  link.handlers[27](bare);
  scheduler.RunPending();
  EXPECT_EQ(model.HostInfo[0], 0u);
  EXPECT_EQ(model.HostInfo[1], 0u);
}

TEST_F(ReplyDispatcherTest, FullStateRelabelsQueriesAndFollowsUpAfter200ms) {
  DeviceStatusRecord rec{};
  for (int i = 0; i < 8; ++i) rec.InputSrc[i] = 0;
  rec.InputSrc[6] = 3;   // VGA card
  rec.InputSrc[7] = 42;  // unusable
  rec.InputState[0] = 1;
  rec.InputState[6] = 1;
  rec.InputState[7] = 1;
  rec.HReso = 1920;
  Deliver(2, RecordBytes(rec), 0, 110);

  EXPECT_EQ(model.rec.HReso, 1920);
  EXPECT_EQ(model.InputLabels[6].label, " VGA-1");
  EXPECT_TRUE(model.InputLabels[6].usable);
  EXPECT_FALSE(model.InputLabels[7].usable);
  EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{48, 0}, {49, 6}, {48, 6}, {48, 7}}));
  EXPECT_EQ(sink.events, (Events{{2, 0}}));

  // A reply arriving during the wait is applied only after the follow-ups.
  Deliver(18, {5});
  EXPECT_EQ(model.rec.LoopOutIp, 0);
  scheduler.Advance(199);
  EXPECT_EQ(link.sent.size(), 4u);
  scheduler.Advance(1);
  EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{48, 0},
                                                      {49, 6},
                                                      {48, 6},
                                                      {48, 7},
                                                      {70, 0},
                                                      {66, 2},
                                                      {67, 0x55},
                                                      {62, 0x55},
                                                      {60, 0x55},
                                                      {73, 0x55},
                                                      {68, 0x55}}));
  EXPECT_EQ(sink.events, (Events{{2, 0}, kAck, {18, 0}, kAck}));
  EXPECT_EQ(model.rec.LoopOutIp, 5);
  EXPECT_FALSE(dispatcher.Waiting());
}

TEST_F(ReplyDispatcherTest, FullStateDuringProjectLoadSkipsTimingAndAppliesBoard) {
  DeviceStatusRecord rec{};
  rec.InputState[0] = 1;
  rec.CmpBoardExist = 1;
  rec.CmpBoardActNoSrc = 0;
  rec.CmpBoardIpSrc[0] = 8;
  model.LoadingAll = 1;
  model.FeatherOnOff = 1;
  Deliver(2, RecordBytes(rec));
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(model.rec.InputSrc[6], 8);
  EXPECT_EQ(model.FeatherOnOff, 0);
  EXPECT_EQ(model.LoadingAll, 0);
}

TEST_F(ReplyDispatcherTest, ProjectRecordRefreshesPagesWithoutFollowUps) {
  DeviceStatusRecord rec{};
  rec.InputSrc[7] = 3;
  rec.InputState[7] = 1;
  dispatcher.ApplyProjectRecord(rec);
  scheduler.Advance(1000);
  EXPECT_EQ(Sent(), (std::vector<std::pair<int, int>>{{49, 7}}));
  EXPECT_EQ(sink.events, (Events{{2, 0}}));
  EXPECT_EQ(model.LoadingAll, 0);
}

TEST_F(ReplyDispatcherTest, InputTimingSetsCropTotalsAndResetsWhatNoLongerFits) {
  model.rec.DpMode[0] = 1;
  CropSettings& fits = model.rec.Crop[1 + 4 * 4];
  fits = {1, 0, 10, 10, 900, 1000, 0, 0};
  CropSettings& tooWide = model.rec.Crop[2 + 4 * 8];
  tooWide = {1, 0, 100, 0, 900, 1000, 0, 0};
  Deliver(4, {4, 0, 0x80, 0x07, 0x38, 0x04, 0x70, 0x17, 0, 0});

  EXPECT_EQ(model.LastTimingSlot, 4);
  EXPECT_EQ(model.rec.InputReso[4].HAct, 1920);
  EXPECT_EQ(fits.HTotal, 960);  // split DP-1: half width
  EXPECT_EQ(fits.VTotal, 1080);
  EXPECT_EQ(fits.HPos, 10);
  EXPECT_EQ(tooWide.HTotal, 960);
  EXPECT_EQ(tooWide.HPos, 0);
  EXPECT_EQ(tooWide.HAct, 960);
  EXPECT_EQ(tooWide.VAct, 1080);
  EXPECT_EQ(sink.events, (Events{{4, 0}, kAck}));
}

TEST_F(ReplyDispatcherTest, InputTimingOnSlot6HalvesTheGroupsTheBoardSelects) {
  struct Case {
    int32_t card;
    bool board;
    int32_t active;
    std::vector<int> halved;
    std::vector<int> full;
  };
  const Case cases[] = {{8, false, 0, {6, 9}, {}},
                        {6, true, 1, {6, 9}, {}},
                        {6, true, 0, {10, 11}, {6}},
                        {3, false, 0, {}, {6}}};
  for (const Case& c : cases) {
    test::LinkHarness h;
    DeviceModel& m = h.model;
    m.rec.DpMode[1] = 1;
    m.rec.InputSrc[6] = c.card;
    m.rec.CmpBoardExist = c.board;
    m.rec.CmpBoardActNoSrc = c.active;
    const Bytes timing = {6, 0, 0x00, 0x0F, 0x70, 0x08, 0, 0, 0, 0};  // 3840 x 2160
    h.link.Deliver(4, timing);
    h.scheduler.RunPending();
    for (int g : c.halved) EXPECT_EQ(m.rec.Crop[4 * g].HTotal, 1920) << c.card << " group " << g;
    for (int g : c.full) EXPECT_EQ(m.rec.Crop[4 * g].HTotal, 3840) << c.card << " group " << g;
  }
}

struct EventCase {
  const char* name;
  Bytes payload;
  std::vector<int> sentAtOnce;
  std::vector<int> sentInAll;
  int waitMs;
  Events events;
};

class DeviceEvents : public ReplyDispatcherTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(DeviceEvents, RunTheirActionsAndWaits) {
  const EventCase& c = GetParam();
  Deliver(24, c.payload);
  EXPECT_EQ(link.SentTypes(), c.sentAtOnce);
  if (c.waitMs > 0) {
    EXPECT_TRUE(dispatcher.Waiting());
    scheduler.Advance(c.waitMs - 1);
    EXPECT_TRUE(dispatcher.Waiting());
    scheduler.Advance(1);
  }
  EXPECT_FALSE(dispatcher.Waiting());
  EXPECT_EQ(link.SentTypes(), c.sentInAll);
  EXPECT_EQ(sink.events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DeviceEvents,
    ::testing::Values(
        EventCase{"Event0", {0, 5, 6}, {}, {}, 0, {{kClosed, 0}, {24, 0}, kAck}},
        EventCase{"Event2", {2}, {}, {}, 0, {{kClosed, 0}, kAck}},
        EventCase{"Event3", {3}, {63}, {63, 54, 54, 54, 54, 60}, 40, {{kClosed, 0}, kAck}},
        EventCase{"Event5Reloads", {5, 1}, {65, 67, 48}, {65, 67, 48}, 0, {{kClosed, 0}, kAck}},
        EventCase{"Event5Other", {5, 0}, {}, {}, 0, {kAck}},
        EventCase{"Event6Partial",
                  {6, 0},
                  {63, 57, 54, 54, 54, 54, 60, 58},
                  {63, 57, 54, 54, 54, 54, 60, 58},
                  0,
                  {kAck}},
        EventCase{"Event6Full", {6, 1}, {0}, {0}, 0, {kAck}},
        EventCase{"Event7", {7, 1, 2, 3, 4, 5, 6, 7}, {}, {}, 0, {{24, 0}, kAck}},
        EventCase{"Event8", {8}, {}, {}, 0, {{kClosed, 0}, {24, 8}, kAck}},
        EventCase{"Event10", {10}, {}, {}, 0, {{kClosed, 0}, {24, 10}, kAck}},
        EventCase{"Event12", {12, 0}, {}, {}, 0, {{24, 0}, kAck}},
        EventCase{"Event11Partial",
                  {11, 0},
                  {57, 54, 56},
                  {57, 54, 56, 54, 56, 54, 56, 54, 56},
                  400,
                  {{kClosed, 0}, kAck}},
        EventCase{"Event11Full", {11, 1}, {0}, {0}, 0, {kAck}},
        EventCase{"Event13Nothing", {13}, {}, {}, 0, {kAck}}),
    [](const ::testing::TestParamInfo<EventCase>& info) { return std::string(info.param.name); });

TEST_F(ReplyDispatcherTest, BlockAcknowledgementEventKeepsItsValues) {
  Deliver(24, {7, 0x34, 0x12, 1, 0x00, 0x10, 0x00, 0x00});
  EXPECT_EQ(model.EventCode, 7);
  EXPECT_EQ(model.EventValue16, 0x1234);
  EXPECT_EQ(model.EventValue8, 1);
  EXPECT_EQ(model.EventValue32, 0x1000u);
}

// Untrusted payloads: nothing may write outside the model, and a reply that
// cannot be applied as a whole is not applied at all.
struct BadCase {
  const char* name;
  int kind;
  Bytes payload;
  int arg;
  uint8_t source;
  bool dropped;
};

class BadReplies : public ReplyDispatcherTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadReplies, ChangeNothingAndPostNothing) {
  const BadCase& c = GetParam();
  const DeviceModel before = model;
  Deliver(c.kind, c.payload, c.arg, c.source);
  EXPECT_EQ(std::memcmp(&before.rec, &model.rec, sizeof model.rec), 0);
  EXPECT_EQ(before.CaptionSlot, model.CaptionSlot);
  EXPECT_TRUE(sink.events.empty());
  EXPECT_TRUE(link.sent.empty());
  EXPECT_EQ(dispatcher.DroppedReplies(), c.dropped ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Untrusted, BadReplies,
    ::testing::Values(
        BadCase{"ShortFullState", 2, Bytes(2359, 1), 0, 110, true},
        BadCase{"EmptySearchStatus", 0, {}, 0, 110, true},
        BadCase{"ShortTiming", 4, {1, 0, 0x80}, 0, 110, true},
        BadCase{"TimingSlot8", 4, {8, 0, 0x80, 0x07, 0x38, 0x04, 0, 0, 0, 0}, 0, 110, false},
        BadCase{"TimingSlot255", 4, {255, 0, 0x80, 0x07, 0x38, 0x04, 0, 0, 0, 0}, 0, 110, false},
        BadCase{"InputStateFromAnotherProcessor", 22, Bytes(8, 1), 0, 111, false},
        BadCase{"PictureWindow4", 8, Bytes(32, 1), 4, 110, true},
        BadCase{"GeometryNegativeWindow", 10, Bytes(20, 1), -1, 110, true},
        BadCase{"CropWindow200", 11, Bytes(14, 1), 200, 110, true},
        BadCase{"CaptionSlot9", 25, Bytes(32, 9), 0, 110, true},
        BadCase{"ShortCaption", 25, Bytes(14, 0), 0, 110, true},
        BadCase{"ShortMosaic", 12, Bytes(107, 1), 0, 110, true},
        BadCase{"ShortLogo", 15, Bytes(41, 1), 0, 110, true},
        BadCase{"ShortBoard", 29, Bytes(43, 1), 0, 110, true},
        BadCase{"ShortKeyer", 16, {3, 1, 1}, 0, 110, true},
        BadCase{"EmptyEvent", 24, {}, 0, 110, true}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST_F(ReplyDispatcherTest, WindowSourcesNeverPassTheFourthWindow) {
  Bytes payload(3 * 9, 7);
  Deliver(14, payload, 9);
  for (const ChnlData& ch : model.rec.Chnl) EXPECT_EQ(ch.ChnlInput, 7);
  EXPECT_EQ(model.rec.InputSrc[0], 0);  // the bytes after the windows
  // A count larger than the payload stops at the last whole entry.
  DeviceModel fresh;
  model.rec = fresh.rec;
  Deliver(14, {1, 2, 3, 4}, 4);
  EXPECT_EQ(model.rec.Chnl[0].ChnlInput, 3);
  EXPECT_EQ(model.rec.Chnl[1].ChnlOnOff, 0);
}

TEST_F(ReplyDispatcherTest, DpModeIndexBeyondTheTwoPortsStoresNothing) {
  Deliver(21, {5, 1});
  EXPECT_EQ(model.rec.DpMode[0], 0);
  EXPECT_EQ(model.rec.DpMode[1], 0);
  EXPECT_EQ(model.rec.pad1994[0], 0);
}

class CountingPreview : public PreviewSink {
 public:
  void PushPreviewBlock(int channel, const uint8_t*, std::size_t length) override {
    lastChannel = channel;
    bytes += length;
  }
  int lastChannel = -1;
  std::size_t bytes = 0;
};

TEST_F(ReplyDispatcherTest, PreviewBlocksBypassTheModelThread) {
  CountingPreview preview;
  link.Deliver(26, Bytes(100, 0), 2);  // no preview yet: dropped
  dispatcher.SetPreviewSink(&preview);
  link.Deliver(26, Bytes(1000, 0), 1);
  EXPECT_EQ(preview.bytes, 1000u);  // before the owner thread ran anything
  EXPECT_EQ(preview.lastChannel, 1);
  scheduler.RunPending();
  EXPECT_TRUE(sink.events.empty());
}

TEST_F(ReplyDispatcherTest, RepliesFromTheLinkThreadArriveInOrder) {
  std::thread io([this] {
    for (int i = 0; i < 2000; ++i) link.Deliver(18, Bytes{static_cast<uint8_t>(i)});
  });
  while (sink.events.size() < 4000) {
    scheduler.RunPending();
    std::this_thread::yield();
  }
  io.join();
  scheduler.RunPending();
  EXPECT_EQ(model.rec.LoopOutIp, static_cast<uint8_t>(1999));
  for (std::size_t i = 0; i < sink.events.size(); i += 2) ASSERT_EQ(sink.events[i].first, 18);
}

}  // namespace
}  // namespace qv
