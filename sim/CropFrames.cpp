#include "CropFrames.h"

namespace qv::sim {

namespace {

constexpr int32_t kHdmiCard = 6;
constexpr int32_t kDpCard = 8;

void SetGroup(DeviceStatusRecord& rec, int group, uint16_t width, uint16_t height) {
  for (int w = 0; w < kWindowCount; ++w) {
    CropSettings& c = rec.Crop[w + kWindowCount * group];
    c.HTotal = width;
    c.VTotal = height;
    if (c.HPos + c.HAct > c.HTotal || c.VPos + c.VAct > c.VTotal) {
      c.HPos = 0;
      c.VPos = 0;
      c.HAct = c.HTotal;
      c.VAct = c.VTotal;
    }
  }
}

}  // namespace

void CropFrames::Apply(DeviceStatusRecord& rec, int slot) {
  if (slot < 0 || slot >= kInputSlotCount) return;
  const uint16_t width = rec.InputReso[slot].HAct;
  const uint16_t height = rec.InputReso[slot].VAct;
  const uint16_t half = width / 2;
  SetGroup(rec, slot, width, height);
  if (slot == 4 && rec.DpMode[0] == 1) {
    SetGroup(rec, 4, half, height);
    SetGroup(rec, 8, half, height);
  }
  if (slot == 6 && rec.DpMode[1] == 1) {
    const bool board = rec.CmpBoardExist != 0;
    const int32_t card = rec.InputSrc[6];
    if (card == kDpCard || (card == kHdmiCard && board && rec.CmpBoardActNoSrc == 1)) {
      SetGroup(rec, 6, half, height);
      SetGroup(rec, 9, half, height);
    } else if (card == kHdmiCard && board && rec.CmpBoardActNoSrc == 0) {
      SetGroup(rec, 10, half, height);
      SetGroup(rec, 11, half, height);
    }
  }
}

}  // namespace qv::sim
