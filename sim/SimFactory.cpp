#include "SimFactory.h"

#include "CropFrames.h"

namespace qv::sim {

namespace {

struct SlotSetup {
  int32_t card;
  bool signal;
  uint16_t width, height, fps, interlace;
};

// Card types: 3 VGA, 4 DVI, 6 HDMI, 7 SDI, 8 DP. Slots 0..5 are the fixed
// inputs DVI-1, HDMI-1, DVI-2, HDMI-2, DP-1, SDI-1; 6 and 7 the expansion slots.
constexpr SlotSetup kSlots[kInputSlotCount] = {
    {4, true, 1920, 1080, 6000, 0}, {6, true, 1920, 1080, 5000, 0}, {4, false, 0, 0, 0, 0},
    {6, true, 1280, 720, 6000, 0},  {8, true, 3840, 2160, 3000, 0}, {7, true, 1920, 1080, 5000, 1},
    {6, false, 0, 0, 0, 0},         {3, true, 1024, 768, 6000, 0},
};

void PlaceWindow(ChnlData& ch, bool on, uint8_t input, int x, int y, int w, int h) {
  ch.ChnlOnOff = on ? 1 : 0;
  ch.ChnlAlpha = 64;
  ch.ChnlInput = input;
  ch.HPos = x;
  ch.VPos = y;
  ch.HAct = w;
  ch.VAct = h;
  ch.ChnlRotation = 0;
}

void FitCompositeBoard(DeviceStatusRecord& r) {
  r.CmpBoardExist = 1;
  // The board's three sources: DVI through the HDMI receiver, HDMI, and DP.
  r.CmpBoardIpSrc[0] = 6;
  r.CmpBoardIpSrc[1] = 6;
  r.CmpBoardIpSrc[2] = 8;
  r.CmpBoardActNoSrc = 1;
  r.CmpBoardActSignal = 1;
  r.CmpBoardActHAct = 1920;
  r.CmpBoardActVAct = 1080;
  r.CmpBoardActFps = 6000;
  r.CmpBoardActInterlace = 0;
  r.CmpBoardActDual = 0;
  r.CmpBoardMode = 0;
  r.InputSrc[6] = r.CmpBoardIpSrc[1];
  r.InputState[6] = 1;
  r.InputReso[6].HAct = r.CmpBoardActHAct;
  r.InputReso[6].VAct = r.CmpBoardActVAct;
  r.InputReso[6].Fps = r.CmpBoardActFps;
  r.InputReso[6].Interlace = r.CmpBoardActInterlace;
  r.DpMode[1] = r.CmpBoardActDual;
}

}  // namespace

PictureSettings SimFactory::PictureDefaults() {
  PictureSettings p{};
  p.Brightness = 50;
  p.Contrast = 50;
  p.Sharpness = 12;
  p.Saturation = 50;
  p.Hue = 50;
  p.ColorTemp = 8;
  p.ColorRed = p.ColorGreen = p.ColorBlue = 128;
  return p;
}

EdidInfo SimFactory::Edid(uint8_t input) {
  EdidInfo e{};
  e.EdidInput = input;
  e.HAct = 1920;
  e.VAct = 1080;
  e.Fps = 6000;
  e.HBlank = 280;
  e.VBlank = 45;
  return e;
}

DeviceStatusRecord SimFactory::Record(bool compositeBoard) {
  DeviceStatusRecord r{};
  r.ResoIndex = 10;
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
  r.VPol = 1;
  r.PicMode = 0;
  r.BrightLevel = 17;
  r.Gamma = 0.0f;
  r.MosaicAutoArr = 8;
  for (int c = 0; c < kMosaicCellCount; ++c) {
    r.CellHAct[c] = r.CellHEnd[c] = 1920;
    r.CellVAct[c] = r.CellVEnd[c] = 1080;
  }
  PlaceWindow(r.Chnl[0], true, 0, 0, 0, 1920, 1080);
  PlaceWindow(r.Chnl[1], true, 1, 1280, 60, 560, 315);
  PlaceWindow(r.Chnl[2], true, 3, 1280, 420, 560, 315);
  PlaceWindow(r.Chnl[3], false, 5, 80, 720, 480, 270);

  for (int s = 0; s < kInputSlotCount; ++s) {
    const SlotSetup& setup = kSlots[s];
    r.InputSrc[s] = setup.card;
    r.InputState[s] = setup.signal ? 1 : 0;
    // The timing reply carries the slot in the low byte of its first word, and
    // the console keeps that word as it comes: the record holds the same.
    r.InputReso[s] = {static_cast<uint16_t>(s), setup.width, setup.height, setup.fps,
                      setup.interlace};
  }
  for (PictureSettings& p : r.Picture) p = PictureDefaults();
  constexpr uint8_t kEdidInputs[kEdidRecordCount] = {0, 1, 2, 3, 4, 6, 7};
  for (int j = 0; j < kEdidRecordCount; ++j) r.Edid[j] = Edid(kEdidInputs[j]);
  for (TaskEntry& t : r.Task) {
    t = {};
    t.Year = 26;
    t.Month = 1;
    t.Day = 1;
  }
  for (int k = 0; k < 2; ++k) {
    KeyerInfo& key = r.Keyer[k];
    key.KeyerChnl = k == 0 ? 3 : 1;
    key.KeyerRedL = 0;
    key.KeyerRedH = 100;
    key.KeyerGreenL = 150;
    key.KeyerGreenH = 255;
    key.KeyerBlueL = 0;
    key.KeyerBlueH = 100;
    key.KeyerGainIn = key.KeyerGainOut = key.KeyerGainBnd = 16;
  }
  r.OutputFlag31 = 1;
  if (compositeBoard) FitCompositeBoard(r);
  for (int s = 0; s < kInputSlotCount; ++s) {
    for (int w = 0; w < kWindowCount; ++w) {
      CropSettings& c = r.Crop[w + kWindowCount * s];
      c.HAct = r.InputReso[s].HAct;
      c.VAct = r.InputReso[s].VAct;
    }
  }
  CropFrames::ApplyAll(r);
  return r;
}

const std::array<SimFactory::Template, kPresetCount>& SimFactory::Templates() {
  constexpr TemplateWindow kOff{false, 0, 0, 0, 0};
  constexpr TemplateWindow kFull{true, 0, 0, 12, 12};
  static const std::array<Template, kPresetCount> templates = {{
      {kFull, kOff, kOff, kOff},                               // full screen
      {kFull, {true, 8, 1, 3, 3}, kOff, kOff},                 // PIP top right
      {kFull, {true, 8, 8, 3, 3}, kOff, kOff},                 // PIP bottom right
      {{{true, 0, 3, 6, 6}, {true, 6, 3, 6, 6}, kOff, kOff}},  // side by side
      {{{true, 3, 0, 6, 6}, {true, 3, 6, 6, 6}, kOff, kOff}},  // one above the other
      {{{true, 0, 0, 6, 6}, {true, 6, 0, 6, 6}, {true, 0, 6, 6, 6}, {true, 6, 6, 6, 6}}},  // quad
      {{{true, 0, 0, 8, 12},
        {true, 8, 0, 4, 4},
        {true, 8, 4, 4, 4},
        {true, 8, 8, 4, 4}}},                                                // column
      {{{true, 0, 4, 4, 4}, {true, 4, 4, 4, 4}, {true, 8, 4, 4, 4}, kOff}},  // three in a row
      {kFull, {true, 1, 1, 3, 3}, {true, 8, 1, 3, 3}, kOff},                 // two PIPs on top
      {kFull, {true, 1, 8, 3, 3}, {true, 8, 8, 3, 3}, kOff},                 // two PIPs below
  }};
  return templates;
}

}  // namespace qv::sim
