#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "link/DeviceStatusRecord.h"

namespace qv {
namespace {

// Writes a field through the structure and finds its bytes at the offset the
// processor uses, low byte first: nested records and arrays included.
struct Placement {
  const char* field;
  std::function<void(DeviceStatusRecord&)> set;
  std::size_t offset;
  std::vector<uint8_t> bytes;
};

TEST(DeviceStatusRecord, FieldsSitAtTheProcessorsOffsets) {
  const Placement cases[] = {
      {"ResoIndex", [](auto& r) { r.ResoIndex = 0x01020304; }, 0, {4, 3, 2, 1}},
      {"VPol", [](auto& r) { r.VPol = 9; }, 23, {9}},
      {"Gamma", [](auto& r) { r.Gamma = 2.2f; }, 32, {0xCD, 0xCC, 0x0C, 0x40}},
      {"CellVEnd[3]", [](auto& r) { r.CellVEnd[3] = 0x0A0B; }, 140, {0x0B, 0x0A, 0, 0}},
      {"Chnl[2].ChnlInput", [](auto& r) { r.Chnl[2].ChnlInput = 7; }, 144 + 48 + 2, {7}},
      {"Chnl[3].ChnlRotation",
       [](auto& r) { r.Chnl[3].ChnlRotation = 3; },
       144 + 72 + 20,
       {3, 0, 0, 0}},
      {"InputState[7]", [](auto& r) { r.InputState[7] = 1; }, 279, {1}},
      {"InputReso[7].Interlace",
       [](auto& r) { r.InputReso[7].Interlace = 0x0102; },
       280 + 70 + 8,
       {2, 1}},
      {"Picture[47].PicOption",
       [](auto& r) { r.Picture[47].PicOption = 5; },
       360 + 940 + 16,
       {5, 0, 0, 0}},
      {"Picture[1].ColorBlue", [](auto& r) { r.Picture[1].ColorBlue = 6; }, 360 + 20 + 14, {6}},
      {"Crop[47].VTotal",
       [](auto& r) { r.Crop[47].VTotal = 0x0438; },
       1320 + 658 + 12,
       {0x38, 0x04}},
      {"DpMode[1]", [](auto& r) { r.DpMode[1] = 1; }, 1993, {1}},
      {"Edid[6].VBlank", [](auto& r) { r.Edid[6].VBlank = 45; }, 1996 + 72 + 10, {45, 0}},
      {"Task[9].TaskOption",
       [](auto& r) { r.Task[9].TaskOption = 2; },
       2084 + 108 + 8,
       {2, 0, 0, 0}},
      {"LogoVAct[3]", [](auto& r) { r.LogoVAct[3] = 0x0102; }, 2240, {2, 1}},
      {"LogoValid[3]", [](auto& r) { r.LogoValid[3] = 1; }, 2245, {1}},
      {"PvwState[3]", [](auto& r) { r.PvwState[3] = 1; }, 2263, {1}},
      {"Keyer[1].KeyerGainBnd", [](auto& r) { r.Keyer[1].KeyerGainBnd = 8; }, 2284 + 16, {8}},
      {"Keyer[1].KeyerMode", [](auto& r) { r.Keyer[1].KeyerMode = 2; }, 2288, {2, 0, 0, 0}},
      {"CmpBoardIpSrc[2]", [](auto& r) { r.CmpBoardIpSrc[2] = 8; }, 2328, {8, 0, 0, 0}},
      {"CmpBoardActFps", [](auto& r) { r.CmpBoardActFps = 6000; }, 2346, {0x70, 0x17}},
      {"CmpBoardMode", [](auto& r) { r.CmpBoardMode = 4; }, 2356, {4, 0, 0, 0}},
  };
  for (const Placement& c : cases) {
    DeviceStatusRecord rec{};
    c.set(rec);
    uint8_t raw[kDeviceRecordSize];
    std::memcpy(raw, &rec, sizeof raw);
    for (std::size_t i = 0; i < kDeviceRecordSize; ++i) {
      const bool inField = i >= c.offset && i < c.offset + c.bytes.size();
      const uint8_t want = inField ? c.bytes[i - c.offset] : 0;
      ASSERT_EQ(raw[i], want) << c.field << " byte " << i;
    }
  }
}

}  // namespace
}  // namespace qv
