#pragma once
// The 2360-byte device record the processor and the link library exchange whole:
// a full-state reply delivers it and WriteFullState sends it back. The layout is
// the processor's, little-endian, with the padding bytes kept as they arrive.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace qv {

static_assert(std::endian::native == std::endian::little,
              "the device record is copied byte for byte; a big-endian host needs converters");

#pragma pack(push, 1)

struct ChnlData {
  uint8_t ChnlOnOff;
  uint8_t ChnlAlpha;
  uint8_t ChnlInput;  // input code 0..11
  uint8_t pad0;
  int32_t HPos;
  int32_t VPos;
  int32_t HAct;
  int32_t VAct;
  int32_t ChnlRotation;
};

struct InputResolution {
  uint16_t ResoIdx;
  uint16_t HAct;
  uint16_t VAct;
  uint16_t Fps;
  uint16_t Interlace;
};

struct PictureSettings {
  uint8_t Brightness;
  uint8_t Contrast;
  uint8_t Sharpness;
  uint8_t Saturation;
  uint8_t Hue;
  uint8_t pad0[3];
  int32_t ColorTemp;
  uint8_t ColorRed;
  uint8_t ColorGreen;
  uint8_t ColorBlue;
  uint8_t pad1;
  int32_t PicOption;
};

struct CropSettings {
  uint8_t CropOnOff;
  uint8_t pad0;
  uint16_t HPos;
  uint16_t VPos;
  uint16_t HAct;
  uint16_t VAct;
  uint16_t HTotal;
  uint16_t VTotal;
};

struct EdidInfo {
  uint8_t EdidInput;
  uint8_t pad0;
  uint16_t HAct;
  uint16_t VAct;
  uint16_t Fps;
  uint16_t HBlank;
  uint16_t VBlank;
};

struct TaskEntry {
  uint8_t Year;
  uint8_t Month;
  uint8_t Day;
  uint8_t Hour;
  uint8_t Min;
  uint8_t Sec;
  uint8_t PresetId;
  uint8_t pad0;
  int32_t TaskOption;
};

struct KeyerInfo {
  uint8_t KeyerChnl;
  uint8_t KeyerOnOff;
  uint8_t pad0[2];
  int32_t KeyerMode;
  uint8_t KeyerRedL;
  uint8_t KeyerRedH;
  uint8_t KeyerGreenL;
  uint8_t KeyerGreenH;
  uint8_t KeyerBlueL;
  uint8_t KeyerBlueH;
  uint8_t KeyerGainIn;
  uint8_t KeyerGainOut;
  uint8_t KeyerGainBnd;
  uint8_t pad1[3];
};

inline constexpr int kWindowCount = 4;
inline constexpr int kInputSlotCount = 8;
inline constexpr int kSourceGroupCount = 12;
inline constexpr int kPictureRecordCount = kWindowCount * kSourceGroupCount;  // 48
inline constexpr int kEdidRecordCount = 7;
inline constexpr int kTaskCount = 10;
inline constexpr int kLogoSlotCount = 4;
inline constexpr int kMosaicCellCount = 4;

struct DeviceStatusRecord {
  int32_t ResoIndex;
  uint16_t HReso;
  uint16_t VReso;
  uint16_t Fps;
  uint16_t HTotal;
  uint16_t VTotal;
  uint16_t HSync;
  uint16_t VSync;
  uint16_t Hbp;
  uint16_t Vbp;
  uint8_t HPol;
  uint8_t VPol;
  int32_t PicMode;
  int32_t BrightLevel;
  float Gamma;
  int32_t MosaicMode;
  int32_t MosaicAux;
  int32_t MosaicAutoArr;
  int32_t CellHPos[kMosaicCellCount];
  int32_t CellVPos[kMosaicCellCount];
  int32_t CellHAct[kMosaicCellCount];
  int32_t CellVAct[kMosaicCellCount];
  int32_t CellHEnd[kMosaicCellCount];
  int32_t CellVEnd[kMosaicCellCount];
  ChnlData Chnl[kWindowCount];
  int32_t InputSrc[kInputSlotCount];
  uint8_t InputState[kInputSlotCount];
  InputResolution InputReso[kInputSlotCount];
  PictureSettings Picture[kPictureRecordCount];
  CropSettings Crop[kPictureRecordCount];
  uint8_t DpMode[2];
  uint8_t pad1994[2];
  EdidInfo Edid[kEdidRecordCount];
  uint8_t TaskStatus;
  uint8_t pad2081[3];
  TaskEntry Task[kTaskCount];
  uint8_t LogoUsage;
  uint8_t LogoCurId;
  uint8_t LogoOnOff;
  uint8_t LogoPos;
  uint8_t LogoAux;
  uint8_t pad2209;
  uint16_t LogoHPos[kLogoSlotCount];
  uint16_t LogoVPos[kLogoSlotCount];
  uint16_t LogoHAct[kLogoSlotCount];
  uint16_t LogoVAct[kLogoSlotCount];
  uint8_t LogoValid[kLogoSlotCount];
  uint8_t pad2246[2];
  int32_t PvwMode;
  int32_t PvwDTime;
  uint8_t PgmState[kWindowCount];
  uint8_t PvwState[kWindowCount];
  KeyerInfo Keyer[2];  // [0] works on channel 3, [1] on channel 1
  uint8_t LoopOutIp;
  uint8_t OutputFlag31;
  uint8_t pad2306[2];
  int32_t SyncLockMode;
  int32_t SyncMode;
  uint8_t CmpBoardExist;
  uint8_t pad2317[3];
  int32_t CmpBoardIpSrc[3];
  int32_t CmpBoardActNoSrc;
  uint8_t CmpBoardActSignal;
  uint8_t pad2337;
  uint16_t CmpBoardActHAct;
  uint8_t pad2340[2];
  uint16_t CmpBoardActVAct;
  uint8_t pad2344[2];
  uint16_t CmpBoardActFps;
  uint8_t pad2348[2];
  uint8_t CmpBoardActInterlace;
  uint8_t pad2351;
  uint8_t CmpBoardActDual;
  uint8_t pad2353[3];
  int32_t CmpBoardMode;
};

#pragma pack(pop)

inline constexpr std::size_t kDeviceRecordSize = 2360;

static_assert(sizeof(ChnlData) == 24);
static_assert(sizeof(InputResolution) == 10);
static_assert(sizeof(PictureSettings) == 20);
static_assert(offsetof(PictureSettings, ColorTemp) == 8);
static_assert(offsetof(PictureSettings, PicOption) == 16);
static_assert(sizeof(CropSettings) == 14);
static_assert(sizeof(EdidInfo) == 12);
static_assert(sizeof(TaskEntry) == 12);
static_assert(offsetof(TaskEntry, TaskOption) == 8);
static_assert(sizeof(KeyerInfo) == 20);
static_assert(offsetof(KeyerInfo, KeyerMode) == 4);
static_assert(offsetof(KeyerInfo, KeyerGainBnd) == 16);

static_assert(sizeof(DeviceStatusRecord) == kDeviceRecordSize);
static_assert(offsetof(DeviceStatusRecord, HReso) == 4);
static_assert(offsetof(DeviceStatusRecord, VReso) == 6);
static_assert(offsetof(DeviceStatusRecord, Fps) == 8);
static_assert(offsetof(DeviceStatusRecord, HTotal) == 10);
static_assert(offsetof(DeviceStatusRecord, VTotal) == 12);
static_assert(offsetof(DeviceStatusRecord, HSync) == 14);
static_assert(offsetof(DeviceStatusRecord, VSync) == 16);
static_assert(offsetof(DeviceStatusRecord, Hbp) == 18);
static_assert(offsetof(DeviceStatusRecord, Vbp) == 20);
static_assert(offsetof(DeviceStatusRecord, HPol) == 22);
static_assert(offsetof(DeviceStatusRecord, VPol) == 23);
static_assert(offsetof(DeviceStatusRecord, PicMode) == 24);
static_assert(offsetof(DeviceStatusRecord, BrightLevel) == 28);
static_assert(offsetof(DeviceStatusRecord, Gamma) == 32);
static_assert(offsetof(DeviceStatusRecord, MosaicMode) == 36);
static_assert(offsetof(DeviceStatusRecord, MosaicAux) == 40);
static_assert(offsetof(DeviceStatusRecord, MosaicAutoArr) == 44);
static_assert(offsetof(DeviceStatusRecord, CellHPos) == 48);
static_assert(offsetof(DeviceStatusRecord, CellVPos) == 64);
static_assert(offsetof(DeviceStatusRecord, CellHAct) == 80);
static_assert(offsetof(DeviceStatusRecord, CellVAct) == 96);
static_assert(offsetof(DeviceStatusRecord, CellHEnd) == 112);
static_assert(offsetof(DeviceStatusRecord, CellVEnd) == 128);
static_assert(offsetof(DeviceStatusRecord, Chnl) == 144);
static_assert(offsetof(DeviceStatusRecord, InputSrc) == 240);
static_assert(offsetof(DeviceStatusRecord, InputState) == 272);
static_assert(offsetof(DeviceStatusRecord, InputReso) == 280);
static_assert(offsetof(DeviceStatusRecord, Picture) == 360);
static_assert(offsetof(DeviceStatusRecord, Crop) == 1320);
static_assert(offsetof(DeviceStatusRecord, DpMode) == 1992);
static_assert(offsetof(DeviceStatusRecord, Edid) == 1996);
static_assert(offsetof(DeviceStatusRecord, TaskStatus) == 2080);
static_assert(offsetof(DeviceStatusRecord, Task) == 2084);
static_assert(offsetof(DeviceStatusRecord, LogoUsage) == 2204);
static_assert(offsetof(DeviceStatusRecord, LogoCurId) == 2205);
static_assert(offsetof(DeviceStatusRecord, LogoOnOff) == 2206);
static_assert(offsetof(DeviceStatusRecord, LogoPos) == 2207);
static_assert(offsetof(DeviceStatusRecord, LogoAux) == 2208);
static_assert(offsetof(DeviceStatusRecord, LogoHPos) == 2210);
static_assert(offsetof(DeviceStatusRecord, LogoVPos) == 2218);
static_assert(offsetof(DeviceStatusRecord, LogoHAct) == 2226);
static_assert(offsetof(DeviceStatusRecord, LogoVAct) == 2234);
static_assert(offsetof(DeviceStatusRecord, LogoValid) == 2242);
static_assert(offsetof(DeviceStatusRecord, PvwMode) == 2248);
static_assert(offsetof(DeviceStatusRecord, PvwDTime) == 2252);
static_assert(offsetof(DeviceStatusRecord, PgmState) == 2256);
static_assert(offsetof(DeviceStatusRecord, PvwState) == 2260);
static_assert(offsetof(DeviceStatusRecord, Keyer) == 2264);
static_assert(offsetof(DeviceStatusRecord, Keyer) + sizeof(KeyerInfo) == 2284);
static_assert(offsetof(DeviceStatusRecord, LoopOutIp) == 2304);
static_assert(offsetof(DeviceStatusRecord, OutputFlag31) == 2305);
static_assert(offsetof(DeviceStatusRecord, SyncLockMode) == 2308);
static_assert(offsetof(DeviceStatusRecord, SyncMode) == 2312);
static_assert(offsetof(DeviceStatusRecord, CmpBoardExist) == 2316);
static_assert(offsetof(DeviceStatusRecord, CmpBoardIpSrc) == 2320);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActNoSrc) == 2332);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActSignal) == 2336);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActHAct) == 2338);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActVAct) == 2342);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActFps) == 2346);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActInterlace) == 2350);
static_assert(offsetof(DeviceStatusRecord, CmpBoardActDual) == 2352);
static_assert(offsetof(DeviceStatusRecord, CmpBoardMode) == 2356);

}  // namespace qv
