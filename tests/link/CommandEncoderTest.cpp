#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "link/CommandEncoder.h"
#include "support/RecordingLink.h"

namespace qv {
namespace {

using test::RecordingLink;

struct Bytes {
  int at;
  std::vector<uint8_t> bytes;
};

Payload Expected(const std::vector<Bytes>& parts) {
  Payload p;
  p.fill(0x55);
  for (const Bytes& part : parts) {
    for (std::size_t i = 0; i < part.bytes.size(); ++i) p[part.at + i] = part.bytes[i];
  }
  return p;
}

struct EncodeCase {
  const char* name;
  int type;
  std::vector<uint8_t> args;
  std::function<void(DeviceModel&)> setup;
  std::vector<Bytes> expected;
};

void NoSetup(DeviceModel&) {}

void OutputTiming(DeviceModel& m) {
  auto& r = m.rec;
  r.ResoIndex = 18;
  r.HReso = 1920;
  r.VReso = 1080;
  r.Fps = 6000;
  r.HTotal = 2200;
  r.VTotal = 1125;
  r.HSync = 44;
  r.VSync = 5;
  r.Hbp = 148;
  r.Vbp = 36;
  r.HPol = 1;
  r.VPol = 0;
  m.OutputAux = 7;
}

void Picture(DeviceModel& m) {
  auto& r = m.rec;
  r.PicMode = 7;
  r.BrightLevel = 3;
  r.Gamma = 2.2f;
  r.Chnl[2].ChnlInput = 3;  // HDMI-2: group 3, record 2 + 4*3
  PictureSettings& ps = r.Picture[14];
  ps.Brightness = 50;
  ps.Contrast = 51;
  ps.Sharpness = 52;
  ps.Saturation = 53;
  ps.Hue = 54;
  ps.ColorTemp = 0x105;
  ps.ColorRed = 60;
  ps.ColorGreen = 61;
  ps.ColorBlue = 62;
  m.WindowPicByte[2] = 9;
  m.PicFlagA = 4;
  m.PicFlagB = 6;
}

void Geometry(DeviceModel& m) {
  ChnlData& c = m.rec.Chnl[1];
  c.HPos = 70000;
  c.VPos = 300;
  c.HAct = 1024;
  c.VAct = 768;
  c.ChnlRotation = 2;
  m.WindowGeomOneShot[1] = 1;
}

void Crop(DeviceModel& m) {
  m.rec.Chnl[0].ChnlInput = 8;  // DP-1 left half: group 4, record 16
  CropSettings& c = m.rec.Crop[16];
  c.CropOnOff = 1;
  c.HPos = 10;
  c.VPos = 20;
  c.HAct = 1900;
  c.VAct = 1060;
  c.HTotal = 1;
  c.VTotal = 2;
}

void Mosaic(DeviceModel& m) {
  auto& r = m.rec;
  r.MosaicMode = 3;
  r.MosaicAux = 9;
  r.CellHPos[2] = 0x01020304;
  r.CellVPos[2] = -1;
  r.CellHAct[2] = 1920;
  r.CellVAct[2] = 1080;
  r.CellHEnd[2] = 2000;
  r.CellVEnd[2] = 3000;
  m.MosaicPageA = 5;
  m.MosaicPageB = 0x101;
}

void Logo(DeviceModel& m) {
  auto& r = m.rec;
  r.LogoUsage = 1;
  r.LogoCurId = 2;
  r.LogoOnOff = 1;
  r.LogoPos = 3;
  r.LogoAux = 4;
  r.LogoHPos[2] = 100;
  r.LogoVPos[2] = 200;
  r.LogoHAct[2] = 300;
  r.LogoVAct[2] = 400;
  m.LogoSlotSel = 1;
  m.LogoAltGeom = {1, 2, 3, 4, 11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34};
}

void Edid(DeviceModel& m) {
  for (int j = 0; j < kEdidRecordCount; ++j) {
    EdidInfo& e = m.rec.Edid[j];
    e.EdidInput = static_cast<uint8_t>(0xA0 + j);
    e.HAct = 1920;
    e.VAct = 1080;
    e.Fps = 6000;
    e.HBlank = 280;
    e.VBlank = 45;
  }
}

void Keyers(DeviceModel& m) {
  KeyerInfo& first = m.rec.Keyer[0];
  first.KeyerOnOff = 1;
  first.KeyerMode = 2;
  KeyerInfo& second = m.rec.Keyer[1];
  second.KeyerOnOff = 0;
  second.KeyerMode = 5;
  second.KeyerRedL = 1;
  second.KeyerRedH = 2;
  second.KeyerGreenL = 3;
  second.KeyerGreenH = 4;
  second.KeyerBlueL = 5;
  second.KeyerBlueH = 6;
  second.KeyerGainIn = 7;
  second.KeyerGainOut = 8;
  second.KeyerGainBnd = 9;
}

void Vga(DeviceModel& m) {
  m.Vga.VgaTarget = 6;
  m.Vga.VgaClock = 0x1234;
  m.Vga.VgaPhase = 17;
  m.Vga.VgaHPos = 40;
  m.Vga.VgaVPos = 41;
  m.Vga.VgaAdc = {0x100, 0x101, 0x102, 0x103, 0x104, 0x105};
}

void Tasks(DeviceModel& m) {
  m.rec.TaskStatus = 1;
  TaskEntry& t = m.rec.Task[4];
  t.Year = 26;
  t.Month = 12;
  t.Day = 9;
  t.Hour = 23;
  t.Min = 59;
  t.Sec = 58;
  t.PresetId = 3;
  t.TaskOption = 0x102;
  m.DeviceClock = {0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6};
}

void Feather(DeviceModel& m) {
  m.FeatherOnOff = 1;
  m.FeatherSharp = {10, 11, 12, 13};
  m.FeatherLevel = {20, 21, 22, 23};
}

std::vector<uint8_t> Count(int n) {
  std::vector<uint8_t> v;
  for (int i = 1; i <= n; ++i) v.push_back(static_cast<uint8_t>(i));
  return v;
}

// p1..p31 unused, p32 the keyer channel.
std::vector<uint8_t> KeyerArgs(uint8_t channel) {
  std::vector<uint8_t> args(32, 0);
  args[31] = channel;
  return args;
}

class EncoderPayloads : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncoderPayloads, AreByteExact) {
  const EncodeCase& c = GetParam();
  DeviceModel model;
  RecordingLink link;
  CommandEncoder encoder(model, link);
  c.setup(model);
  model.TargetAddress = 42;
  EXPECT_EQ(encoder.EncodeAndSend(c.type, std::span<const uint8_t>(c.args)), 0);
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0].type, c.type);
  EXPECT_EQ(link.sent[0].address, 42);
  EXPECT_EQ(link.sent[0].payload, Expected(c.expected));
}

const std::vector<uint8_t> k32 = Count(32);

INSTANTIATE_TEST_SUITE_P(AllTypes, EncoderPayloads,
                         ::testing::Values(EncodeCase{"QueryFullState", 0, {}, NoSetup, {}},
                                           EncodeCase{
                                               "PresetLoad", 1, {1, 7}, NoSetup, {{0, {1, 7}}}},
                                           EncodeCase{
                                               "OutputTiming",
                                               2,
                                               {},
                                               OutputTiming,
                                               {{0, {18,   0x80, 0x07, 0x38, 0x04, 0x70, 0x17, 0x98,
                                                     0x08, 44,   0,    148,  0,    0x65, 0x04, 5,
                                                     0,    36,   0,    1,    0,    7}}}},
                                           EncodeCase{"PictureSettings",
                                                      3,
                                                      {2},
                                                      Picture,
                                                      {{0,
                                                        {6, 7, 3, 22, 2, 9, 50, 51, 53, 54, 52,
                                                         0x05, 60, 61, 62, 4}}}},
                                           EncodeCase{"WindowGeometryLow16",
                                                      4,
                                                      {1},
                                                      Geometry,
                                                      {{0,
                                                        {1, 0x70, 0x11, 0x2C, 0x01, 0x00, 0x04,
                                                         0x00, 0x03, 1, 2}}}},
                                           EncodeCase{
                                               "Crop",
                                               5,
                                               {0, 1},
                                               Crop,
                                               {{0,
                                                 {0, 1, 10, 0, 20, 0, 0x6C, 0x07, 0x24, 0x04, 1}}}},
                                           EncodeCase{
                                               "MosaicCell",
                                               6,
                                               {2, 1},
                                               Mosaic,
                                               {{0, {1,    3,    5,    2,    4,    3,    2, 1,
                                                     0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0x07, 0, 0,
                                                     0x38, 0x04, 0,    0,    0xD0, 0x07, 0, 0,
                                                     0xB8, 0x0B, 0,    0,    1,    9}}}},
                                           EncodeCase{
                                               "WindowInputDpRightHalf",
                                               7,
                                               {3},
                                               [](DeviceModel& m) { m.rec.Chnl[3].ChnlInput = 11; },
                                               {{0, {3, 6, 1}}}},
                                           EncodeCase{
                                               "WindowInputHdmi1",
                                               7,
                                               {1},
                                               [](DeviceModel& m) { m.rec.Chnl[1].ChnlInput = 1; },
                                               {{0, {1, 1, 0}}}},
                                           EncodeCase{"WindowState",
                                                      8,
                                                      {2},
                                                      [](DeviceModel& m) {
                                                        m.rec.Chnl[3].ChnlOnOff = 1;
                                                        m.rec.Chnl[3].ChnlAlpha = 128;
                                                      },
                                                      {{0, {3, 1, 128}}}},
                                           EncodeCase{"LogoSlotFromArgument",
                                                      9,
                                                      {0, 2},
                                                      Logo,
                                                      {{0,
                                                        {0, 2, 100, 0, 200,
                                                         0, 0x2C, 1, 0x90, 1, 2, 1, 1, 3, 4}}}},
                                           EncodeCase{"LogoCurrentSlot",
                                                      9,
                                                      {1, 0},
                                                      Logo,
                                                      {{0,
                                                        {1, 2, 100, 0, 200, 0,
                                                         0x2C, 1, 0x90, 1, 0, 1, 1, 3, 4}}}},
                                           EncodeCase{
                                               "LogoAltGeometryForOperation3", 9, {3, 0}, Logo, {{0, {3, 1, 2, 0, 12, 0, 22, 0, 32, 0, 0, 1, 1, 3, 4}}}},
                                           EncodeCase{"LogoAltGeometryWhenUnused",
                                                      9,
                                                      {2, 5},
                                                      [](DeviceModel& m) {
                                                        Logo(m);
                                                        m.rec.LogoUsage = 0;
                                                      },
                                                      {{0,
                                                        {2, 1, 2, 0, 12, 0, 22, 0, 32, 0, 5, 0, 1,
                                                         3, 4}}}},
                                           EncodeCase{"EdidInput6UsesRecord5",
                                                      10,
                                                      {6, 1},
                                                      Edid,
                                                      {{0,
                                                        {0xA5, 1, 0x80, 0x07, 0x38, 0x04, 0x70,
                                                         0x17, 0x18, 0x01, 45, 0}}}},
                                           EncodeCase{"EdidInput3",
                                                      10,
                                                      {3, 0},
                                                      Edid,
                                                      {{0,
                                                        {0xA3, 0, 0x80, 0x07, 0x38, 0x04, 0x70,
                                                         0x17, 0x18, 0x01, 45, 0}}}},
                                           EncodeCase{"QueryEdidInput7UsesRecord6",
                                                      50,
                                                      {7},
                                                      Edid,
                                                      {{0, {0xA6}}}},
                                           EncodeCase{
                                               "KeyerSecond",
                                               11,
                                               KeyerArgs(1),
                                               Keyers,
                                               {{0, {0, 5, 1, 2, 3, 4, 5, 6, 7, 8, 9}}, {31, {1}}}},
                                           EncodeCase{
                                               "KeyerFirst",
                                               11,
                                               KeyerArgs(3),
                                               Keyers,
                                               {{0, {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, {31, {3}}}},
                                           EncodeCase{"TestPattern",
                                                      12,
                                                      {},
                                                      [](DeviceModel& m) { m.TestPattern = 4; },
                                                      {{0, {4}}}},
                                           EncodeCase{"TestPatternParams",
                                                      13,
                                                      {2},
                                                      [](DeviceModel& m) {
                                                        m.TestPatternParams = {9, 8, 7, 6};
                                                      },
                                                      {{0, {2, 9, 8, 7, 6}}}},
                                           EncodeCase{"VgaAdjust",
                                                      14,
                                                      {0, 1},
                                                      Vga,
                                                      {{0, {0, 6,    1, 0x34, 0x12, 17,   40, 41,
                                                            1, 0x00, 1, 0x02, 1,    0x04, 1,  0x01,
                                                            1, 0x03, 1, 0x05, 1,    1}}}},
                                           EncodeCase{"PvwMode",
                                                      15,
                                                      {},
                                                      [](DeviceModel& m) { m.rec.PvwMode = 0x102; },
                                                      {{0, {2}}}},
                                           EncodeCase{"PvwDTime",
                                                      16,
                                                      {},
                                                      [](DeviceModel& m) { m.rec.PvwDTime = 30; },
                                                      {{0, {30}}}},
                                           EncodeCase{
                                               "TaskWrite",
                                               17,
                                               {4, 1},
                                               Tasks,
                                               {{0, {1, 1, 26, 12, 9, 23, 59, 58, 4, 3, 2}}}},
                                           EncodeCase{"ClockSync",
                                                      17,
                                                      {4, 0},
                                                      Tasks,
                                                      {{0,
                                                        {0, 1, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6,
                                                         4, 3, 2}}}},
                                           EncodeCase{"LoopOut",
                                                      18,
                                                      {},
                                                      [](DeviceModel& m) { m.rec.LoopOutIp = 5; },
                                                      {{0, {5}}}},
                                           EncodeCase{"Reset", 19, {1, 2}, NoSetup, {}},
                                           EncodeCase{"Take",
                                                      20,
                                                      {},
                                                      [](DeviceModel& m) { m.MultiMachine = 1; },
                                                      {{0, {1}}}},
                                           EncodeCase{
                                               "SyncMode", 21, {1, 2}, NoSetup, {{0, {1, 2}}}},
                                           EncodeCase{"CaptionA",
                                                      23,
                                                      Count(12),
                                                      NoSetup,
                                                      {{0, Count(10)}}},
                                           EncodeCase{"CaptionB",
                                                      24,
                                                      Count(10),
                                                      NoSetup,
                                                      {{0, Count(10)}}},
                                           EncodeCase{"VideoEncoder",
                                                      25,
                                                      Count(12),
                                                      NoSetup,
                                                      {{0, Count(9)}}},
                                           EncodeCase{"NoLayout26", 26, {1, 2, 3}, NoSetup, {}},
                                           EncodeCase{
                                               "Raw18", 32, Count(20), NoSetup, {{0, Count(18)}}},
                                           EncodeCase{"CompositeBoard",
                                                      33,
                                                      {1, 2},
                                                      NoSetup,
                                                      {{0, {1, 2}}}},
                                           EncodeCase{
                                               "MediaPlayer", 34, {3, 4}, NoSetup, {{0, {3, 4}}}},
                                           EncodeCase{
                                               "Feather",
                                               35,
                                               {3},
                                               Feather,
                                               {{0, {1, 10, 20, 11, 21, 12, 22, 13, 23, 3}}}},
                                           EncodeCase{"Freeze", 36, {1, 9}, NoSetup, {{0, {1}}}},
                                           EncodeCase{
                                               "LedConfig", 37, {5, 6}, NoSetup, {{0, {5, 6}}}},
                                           EncodeCase{"NoLayout40", 40, {1}, NoSetup, {}},
                                           EncodeCase{"QueryInputTiming",
                                                      48,
                                                      {0xFF},
                                                      NoSetup,
                                                      {{0, {0xFF}}}},
                                           EncodeCase{"QueryVga", 49, {6, 1}, NoSetup, {{0, {6}}}},
                                           EncodeCase{"Task", 51, {2, 2}, NoSetup, {{0, {2}}}},
                                           EncodeCase{
                                               "PictureCommand", 52, {3, 3}, NoSetup, {{0, {3}}}},
                                           EncodeCase{"NoLayout53", 53, {3}, NoSetup, {}},
                                           EncodeCase{
                                               "QueryWindowGeometry", 54, {2}, NoSetup, {{0, {2}}}},
                                           EncodeCase{
                                               "WindowCommand", 55, {1}, NoSetup, {{0, {1}}}},
                                           EncodeCase{
                                               "QueryMosaicCell", 56, {3}, NoSetup, {{0, {3}}}},
                                           EncodeCase{"Request57", 57, {1}, NoSetup, {}},
                                           EncodeCase{"QueryKeyer", 59, {3}, NoSetup, {{0, {3}}}},
                                           EncodeCase{"QueryEncoder", 66, {2}, NoSetup, {{0, {2}}}},
                                           EncodeCase{"QueryCompositeBoard", 67, {1}, NoSetup, {}},
                                           EncodeCase{
                                               "SearchPing", 69, {0xFF}, NoSetup, {{0, {0xFF}}}},
                                           EncodeCase{"CaptionQuery", 70, {0}, NoSetup, {{0, {0}}}},
                                           EncodeCase{"Raw32A", 71, k32, NoSetup, {{0, k32}}},
                                           EncodeCase{"Raw32B", 72, k32, NoSetup, {{0, k32}}},
                                           EncodeCase{"Request73", 73, {1}, NoSetup, {}},
                                           EncodeCase{"NoLayout80", 80, {1}, NoSetup, {}}),
                         [](const ::testing::TestParamInfo<EncodeCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(CommandEncoder, PictureSendResetsMarkers) {
  DeviceModel model;
  RecordingLink link;
  CommandEncoder encoder(model, link);
  model.PicFlagA = 3;
  model.PicFlagB = 0;
  encoder.EncodeAndSend(CommandType::SetPictureSettings, {0});
  EXPECT_EQ(model.PicFlagA, 0);
  EXPECT_EQ(model.PicFlagB, 1);
}

TEST(CommandEncoder, GammaScalesInFloat) {
  // Values whose double product falls just below the integer must not lose a step.
  for (float gamma : {0.7f, 1.3f, 2.2f, 2.8f}) {
    DeviceModel model;
    RecordingLink link;
    CommandEncoder encoder(model, link);
    model.rec.Gamma = gamma;
    encoder.EncodeAndSend(CommandType::SetPictureSettings, {0});
    EXPECT_EQ(link.sent[0].payload[3], static_cast<int>(gamma * 10.0f + 0.5f)) << gamma;
  }
}

TEST(CommandEncoder, GeometrySendClearsOneShot) {
  DeviceModel model;
  RecordingLink link;
  CommandEncoder encoder(model, link);
  model.WindowGeomOneShot[2] = 1;
  encoder.EncodeAndSend(CommandType::SetWindowGeometry, {2});
  EXPECT_EQ(model.WindowGeomOneShot[2], 0);
  encoder.EncodeAndSend(CommandType::SetWindowGeometry, {2});
  EXPECT_EQ(link.sent[1].payload[9], 0);
}

TEST(CommandEncoder, PageQueriesRememberTheirArgument) {
  for (int type : {52, 54, 55, 56}) {
    DeviceModel model;
    RecordingLink link;
    CommandEncoder encoder(model, link);
    encoder.EncodeAndSend(type, {3});
    EXPECT_EQ(model.LastPageArg, 3) << type;
  }
}

TEST(CommandEncoder, WriteFullStateSendsTheRecordNotAPayload) {
  DeviceModel model;
  RecordingLink link;
  CommandEncoder encoder(model, link);
  model.rec.HReso = 1920;
  model.TargetAddress = 7;
  encoder.EncodeAndSend(CommandType::WriteFullState, {0});
  EXPECT_TRUE(link.sent.empty());
  ASSERT_EQ(link.records.size(), 1u);
  EXPECT_EQ(link.records[0].HReso, 1920);
  EXPECT_EQ(link.recordAddresses[0], 7);
}

TEST(CommandEncoder, TypeIsSixteenBits) {
  DeviceModel model;
  RecordingLink link;
  CommandEncoder encoder(model, link);
  model.MultiMachine = 1;
  encoder.EncodeAndSend(0x10000 + 20, {});
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0].type, 20);
  EXPECT_EQ(link.sent[0].payload[0], 1);
}

// Indices the model has no record for are refused instead of read past the tables.
TEST(CommandEncoder, RefusesIndicesOutsideTheModel) {
  struct Case {
    int type;
    std::vector<uint8_t> args;
  };
  const Case cases[] = {{3, {4}}, {4, {4}},    {5, {200}}, {6, {4}},    {7, {9}},
                        {8, {3}}, {9, {0, 4}}, {10, {9}},  {50, {255}}, {17, {10, 1}}};
  for (const Case& c : cases) {
    DeviceModel model;
    RecordingLink link;
    CommandEncoder encoder(model, link);
    EXPECT_EQ(encoder.EncodeAndSend(c.type, std::span<const uint8_t>(c.args)),
              CommandEncoder::kRejected)
        << c.type;
    EXPECT_TRUE(link.sent.empty()) << c.type;
  }
}

}  // namespace
}  // namespace qv
