#include "ProjectKeys.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace qv {

namespace {

using Key = ProjectKeys::Key;
using Limit = std::function<void(DeviceStatusRecord&)>;

// Element `index` of `member` in the `Struct` that starts at byte `base` of the
// record. The member's declared type sets the field width.
#define QV_FIELD(Struct, member, base, index)                            \
  ProjectField::Of<std::remove_all_extents_t<decltype(Struct::member)>>( \
      (base) + offsetof(Struct, member) +                                \
      (index) * sizeof(std::remove_all_extents_t<decltype(Struct::member)>))
#define QV_REC(member) QV_FIELD(DeviceStatusRecord, member, 0, 0)
#define QV_REC_AT(member, index) QV_FIELD(DeviceStatusRecord, member, 0, index)

constexpr std::size_t ElementBase(std::size_t arrayOffset, std::size_t elementSize, int index) {
  return arrayOffset + elementSize * static_cast<std::size_t>(index);
}

std::string Indexed(std::string_view base, int i) {
  return std::string(base) + std::to_string(i);
}
std::string Indexed(std::string_view base, int i, int j) {
  return Indexed(base, i) + std::to_string(j);
}

Limit Clamp(ProjectField field, int64_t lo, int64_t hi) {
  return [field, lo, hi](DeviceStatusRecord& r) {
    const int64_t v = field.Value(r);
    if (v < lo) {
      field.Store(r, static_cast<uint64_t>(lo));
    } else if (v > hi) {
      field.Store(r, static_cast<uint64_t>(hi));
    }
  };
}

Limit AtLeast(ProjectField field, int64_t lo) {
  return Clamp(field, lo, std::numeric_limits<int64_t>::max());
}

// Indices past the 19 presets are saved as preset 17, deliberately not as the
// customised entry 18.
void LimitResoIndex(DeviceStatusRecord& r) {
  if (r.ResoIndex < 0) {
    r.ResoIndex = 0;
  } else if (r.ResoIndex >= 19) {
    r.ResoIndex = 17;
  }
}

// A mosaic cell's size may not exceed its edges' distance. The distance is an
// unsigned 32-bit difference, so a negative size counts as too large, and edges
// in the wrong order leave the size alone.
Limit CellSpan(ProjectField start, ProjectField end, ProjectField size) {
  return [start, end, size](DeviceStatusRecord& r) {
    const int64_t from = start.Value(r);
    const int64_t to = end.Value(r);
    if (to < from) return;
    const uint32_t span = static_cast<uint32_t>(to) - static_cast<uint32_t>(from);
    if (static_cast<uint32_t>(size.Value(r)) > span) size.Store(r, span);
  };
}

class Builder {
 public:
  explicit Builder(std::vector<Key>& keys) : keys_(keys) {}
  void Section(std::string_view name) { section_ = name; }
  void Add(std::string name, ProjectField field, Limit limit = {}) {
    keys_.push_back(Key{section_, std::move(name), field, std::move(limit)});
  }

 private:
  std::vector<Key>& keys_;
  std::string_view section_;
};

void AddOutputReso(Builder& b) {
  b.Section("OUTPUTRESO");
  b.Add("RESOINDEX", QV_REC(ResoIndex), LimitResoIndex);
  const auto clamped = [&b](const char* name, ProjectField field, int64_t lo, int64_t hi) {
    b.Add(name, field, Clamp(field, lo, hi));
  };
  clamped("HRESO", QV_REC(HReso), 640, 4080);
  clamped("VRESO", QV_REC(VReso), 480, 4080);
  clamped("FPS", QV_REC(Fps), 2300, 12000);
  clamped("HTOTAL", QV_REC(HTotal), 680, 4094);
  clamped("VTOTAL", QV_REC(VTotal), 492, 4094);
  clamped("HSYNC", QV_REC(HSync), 4, 128);
  clamped("VSYNC", QV_REC(VSync), 4, 128);
  clamped("HBP", QV_REC(Hbp), 4, 512);
  clamped("VBP", QV_REC(Vbp), 4, 512);
  b.Add("HPOL", QV_REC(HPol));
  b.Add("VPOL", QV_REC(VPol));
}

void AddPicture(Builder& b) {
  b.Section("PICCOMMSETT");
  b.Add("PICMODE", QV_REC(PicMode));
  b.Add("BRIGHTLEVEL", QV_REC(BrightLevel));
  b.Add("GAMMA", QV_REC(Gamma));
}

void AddMosaic(Builder& b) {
  b.Section("MOSAICSETT");
  b.Add("MOSAICMODE", QV_REC(MosaicMode));
  b.Add("MOSAICAUTOARR", QV_REC(MosaicAutoArr));
  for (int c = 0; c < kMosaicCellCount; ++c) {
    const ProjectField hPos = QV_REC_AT(CellHPos, c), vPos = QV_REC_AT(CellVPos, c);
    const ProjectField hAct = QV_REC_AT(CellHAct, c), vAct = QV_REC_AT(CellVAct, c);
    const ProjectField hEnd = QV_REC_AT(CellHEnd, c), vEnd = QV_REC_AT(CellVEnd, c);
    b.Add(Indexed("HPOS", c), hPos);
    b.Add(Indexed("VPOS", c), vPos);
    b.Add(Indexed("HACT", c), hAct, CellSpan(hPos, hEnd, hAct));
    b.Add(Indexed("VACT", c), vAct, CellSpan(vPos, vEnd, vAct));
    b.Add(Indexed("HTOTAL", c), hEnd);
    b.Add(Indexed("VTOTAL", c), vEnd);
  }
}

void AddWindows(Builder& b) {
  b.Section("CHNLDATA");
  for (int k = 0; k < kWindowCount; ++k) {
    const std::size_t at = ElementBase(offsetof(DeviceStatusRecord, Chnl), sizeof(ChnlData), k);
    b.Add(Indexed("CHNLONOFF", k), QV_FIELD(ChnlData, ChnlOnOff, at, 0));
    b.Add(Indexed("CHNLALPHA", k), QV_FIELD(ChnlData, ChnlAlpha, at, 0));
    b.Add(Indexed("CHNLINPUT", k), QV_FIELD(ChnlData, ChnlInput, at, 0));
    b.Add(Indexed("HPOS", k), QV_FIELD(ChnlData, HPos, at, 0));
    b.Add(Indexed("VPOS", k), QV_FIELD(ChnlData, VPos, at, 0));
    b.Add(Indexed("HACT", k), QV_FIELD(ChnlData, HAct, at, 0));
    b.Add(Indexed("VACT", k), QV_FIELD(ChnlData, VAct, at, 0));
    b.Add(Indexed("CHNLROTATION", k), QV_FIELD(ChnlData, ChnlRotation, at, 0));
  }
}

void AddInputs(Builder& b) {
  b.Section("INPUTINFO");
  for (int g = 0; g < kSourceGroupCount; ++g) {
    if (g < kInputSlotCount) {
      const std::size_t reso =
          ElementBase(offsetof(DeviceStatusRecord, InputReso), sizeof(InputResolution), g);
      b.Add(Indexed("INPUTSRC", g), QV_REC_AT(InputSrc, g));
      b.Add(Indexed("INPUTSTATE", g), QV_REC_AT(InputState, g));
      b.Add(Indexed("INPUTRESOHACT", g), QV_FIELD(InputResolution, HAct, reso, 0));
      b.Add(Indexed("INPUTRESOVACT", g), QV_FIELD(InputResolution, VAct, reso, 0));
      b.Add(Indexed("INPUTRESOFPS", g), QV_FIELD(InputResolution, Fps, reso, 0));
      b.Add(Indexed("INPUTRESOILE", g), QV_FIELD(InputResolution, Interlace, reso, 0).LowByte());
      b.Add(Indexed("INPUTRESOIDX", g), QV_FIELD(InputResolution, ResoIdx, reso, 0).LowByte());
    }
    for (int w = 0; w < kWindowCount; ++w) {
      const int r = kWindowCount * g + w;
      const std::size_t pic =
          ElementBase(offsetof(DeviceStatusRecord, Picture), sizeof(PictureSettings), r);
      b.Add(Indexed("BRIGHTNESS", g, w), QV_FIELD(PictureSettings, Brightness, pic, 0));
      b.Add(Indexed("CONTRAST", g, w), QV_FIELD(PictureSettings, Contrast, pic, 0));
      b.Add(Indexed("SHARPNESS", g, w), QV_FIELD(PictureSettings, Sharpness, pic, 0));
      b.Add(Indexed("SATURATION", g, w), QV_FIELD(PictureSettings, Saturation, pic, 0));
      b.Add(Indexed("HUE", g, w), QV_FIELD(PictureSettings, Hue, pic, 0));
      b.Add(Indexed("COLORTEMP", g, w), QV_FIELD(PictureSettings, ColorTemp, pic, 0));
      b.Add(Indexed("COLORRED", g, w), QV_FIELD(PictureSettings, ColorRed, pic, 0));
      b.Add(Indexed("COLORGREEN", g, w), QV_FIELD(PictureSettings, ColorGreen, pic, 0));
      b.Add(Indexed("COLORBLUE", g, w), QV_FIELD(PictureSettings, ColorBlue, pic, 0));
      b.Add(Indexed("OPTION", g, w), QV_FIELD(PictureSettings, PicOption, pic, 0).LowByte());

      const std::size_t crop =
          ElementBase(offsetof(DeviceStatusRecord, Crop), sizeof(CropSettings), r);
      const ProjectField hAct = QV_FIELD(CropSettings, HAct, crop, 0);
      const ProjectField vAct = QV_FIELD(CropSettings, VAct, crop, 0);
      b.Add(Indexed("CROPONOFF", g, w), QV_FIELD(CropSettings, CropOnOff, crop, 0));
      b.Add(Indexed("HPOS", g, w), QV_FIELD(CropSettings, HPos, crop, 0));
      b.Add(Indexed("VPOS", g, w), QV_FIELD(CropSettings, VPos, crop, 0));
      b.Add(Indexed("HACT", g, w), hAct, AtLeast(hAct, 32));
      b.Add(Indexed("VACT", g, w), vAct, AtLeast(vAct, 32));
      b.Add(Indexed("HTOTAL", g, w), QV_FIELD(CropSettings, HTotal, crop, 0));
      b.Add(Indexed("VTOTAL", g, w), QV_FIELD(CropSettings, VTotal, crop, 0));
    }
  }
  b.Add("DPMDE0", QV_REC_AT(DpMode, 0));
  b.Add("DPMDE1", QV_REC_AT(DpMode, 1));
}

void AddEdid(Builder& b) {
  b.Section("EDIDINFO");
  for (int j = 0; j < kEdidRecordCount; ++j) {
    const std::size_t at = ElementBase(offsetof(DeviceStatusRecord, Edid), sizeof(EdidInfo), j);
    const ProjectField hAct = QV_FIELD(EdidInfo, HAct, at, 0);
    const ProjectField vAct = QV_FIELD(EdidInfo, VAct, at, 0);
    const ProjectField fps = QV_FIELD(EdidInfo, Fps, at, 0);
    b.Add(Indexed("INPUTSRC", j), QV_FIELD(EdidInfo, EdidInput, at, 0));
    b.Add(Indexed("HACT", j), hAct, Clamp(hAct, 240, 3840));
    b.Add(Indexed("VACT", j), vAct, Clamp(vAct, 240, 3840));
    b.Add(Indexed("FPS", j), fps, Clamp(fps, 2000, 12100));
    b.Add(Indexed("HBLANK", j), QV_FIELD(EdidInfo, HBlank, at, 0));
    b.Add(Indexed("VBLANK", j), QV_FIELD(EdidInfo, VBlank, at, 0));
  }
}

void AddTasks(Builder& b) {
  b.Section("TASKEINFO");
  b.Add("TASKSTATUS", QV_REC(TaskStatus));
  for (int t = 0; t < kTaskCount; ++t) {
    const std::size_t at = ElementBase(offsetof(DeviceStatusRecord, Task), sizeof(TaskEntry), t);
    b.Add(Indexed("YEAR", t), QV_FIELD(TaskEntry, Year, at, 0));
    b.Add(Indexed("MONTH", t), QV_FIELD(TaskEntry, Month, at, 0));
    b.Add(Indexed("DAY", t), QV_FIELD(TaskEntry, Day, at, 0));
    b.Add(Indexed("HOUR", t), QV_FIELD(TaskEntry, Hour, at, 0));
    b.Add(Indexed("MIN", t), QV_FIELD(TaskEntry, Min, at, 0));
    b.Add(Indexed("SEC", t), QV_FIELD(TaskEntry, Sec, at, 0));
    b.Add(Indexed("PRESETID", t), QV_FIELD(TaskEntry, PresetId, at, 0));
    b.Add(Indexed("OPTION", t), QV_FIELD(TaskEntry, TaskOption, at, 0));
  }
}

void AddLogo(Builder& b) {
  b.Section("LOGOINFO");
  b.Add("LOGOUSAGE", QV_REC(LogoUsage));
  b.Add("LOGOCURID", QV_REC(LogoCurId));
  b.Add("LOGOONOFF", QV_REC(LogoOnOff));
  b.Add("LOGOPOS", QV_REC(LogoPos));
  for (int k = 0; k < kLogoSlotCount; ++k) {
    b.Add(Indexed("HPOS", k), QV_REC_AT(LogoHPos, k));
    b.Add(Indexed("VPOS", k), QV_REC_AT(LogoVPos, k));
    b.Add(Indexed("HACT", k), QV_REC_AT(LogoHAct, k));
    b.Add(Indexed("VACT", k), QV_REC_AT(LogoVAct, k));
    b.Add(Indexed("LOGOVALID", k), QV_REC_AT(LogoValid, k));
  }
}

void AddSwitcher(Builder& b) {
  b.Section("PVWMODEINFO");
  b.Add("PVWMODE", QV_REC(PvwMode).LowByte());
  b.Add("PVWDTIME", QV_REC(PvwDTime));
  for (int j = 0; j < kWindowCount; ++j) {
    b.Add(Indexed("PGMSTATE", j), QV_REC_AT(PgmState, j));
    b.Add(Indexed("PVWSTATE", j), QV_REC_AT(PvwState, j));
  }
}

// The second keyer's keys carry the suffix 1. Both blocks store the red high
// bound under the red low bound's name; the reader tells them apart only by
// their order in the file.
void AddKeyers(Builder& b) {
  b.Section("KEYERINFO");
  for (int k = 0; k < 2; ++k) {
    const std::size_t at = ElementBase(offsetof(DeviceStatusRecord, Keyer), sizeof(KeyerInfo), k);
    const std::string suffix = k == 0 ? "" : "1";
    b.Add("KEYERONOFF" + suffix, QV_FIELD(KeyerInfo, KeyerOnOff, at, 0));
    b.Add("KEYERMODE" + suffix, QV_FIELD(KeyerInfo, KeyerMode, at, 0));
    b.Add("KEYERREDL" + suffix, QV_FIELD(KeyerInfo, KeyerRedL, at, 0));
    b.Add("KEYERREDL" + suffix, QV_FIELD(KeyerInfo, KeyerRedH, at, 0));
    b.Add("KEYERGREENL" + suffix, QV_FIELD(KeyerInfo, KeyerGreenL, at, 0));
    b.Add("KEYERGREENH" + suffix, QV_FIELD(KeyerInfo, KeyerGreenH, at, 0));
    b.Add("KEYERBLUEL" + suffix, QV_FIELD(KeyerInfo, KeyerBlueL, at, 0));
    b.Add("KEYERBLUEH" + suffix, QV_FIELD(KeyerInfo, KeyerBlueH, at, 0));
    b.Add("KEYERGAININ" + suffix, QV_FIELD(KeyerInfo, KeyerGainIn, at, 0));
    b.Add("KEYERGAINOUT" + suffix, QV_FIELD(KeyerInfo, KeyerGainOut, at, 0));
    b.Add("KEYERGAINBND" + suffix, QV_FIELD(KeyerInfo, KeyerGainBnd, at, 0));
    b.Add("KEYERCHNL" + suffix, QV_FIELD(KeyerInfo, KeyerChnl, at, 0));
  }
}

void AddRest(Builder& b) {
  b.Section("LOOPINFO");
  b.Add("LOOPOUTIP", QV_REC(LoopOutIp));

  b.Section("MACHINESYNCMODE");
  b.Add("SYNCLOCKMODE", QV_REC(SyncLockMode));
  b.Add("SYNCMODE", QV_REC(SyncMode));

  b.Section("COMPOSITEBOARD");
  b.Add("CMPBOARDMODE", QV_REC(CmpBoardMode));
  b.Add("CMPBOARDEXIST", QV_REC(CmpBoardExist));
  b.Add("CMPBOARDACTNOSRC", QV_REC(CmpBoardActNoSrc));
  for (int n = 0; n < 3; ++n) b.Add(Indexed("CMPBOARDIPSRC", n), QV_REC_AT(CmpBoardIpSrc, n));
  b.Add("CMPBOARDACTDUAL", QV_REC(CmpBoardActDual));
  b.Add("CMPBOARDACTSIGNAL", QV_REC(CmpBoardActSignal));
  b.Add("CMPBOARDACTHACT", QV_REC(CmpBoardActHAct));
  b.Add("CMPBOARDACTVACT", QV_REC(CmpBoardActVAct));
  b.Add("CMPBOARDACTFPS", QV_REC(CmpBoardActFps));
  b.Add("CMPBOARDACTINTERLACE", QV_REC(CmpBoardActInterlace));
}

#undef QV_REC_AT
#undef QV_REC
#undef QV_FIELD

std::vector<Key> Build() {
  std::vector<Key> keys;
  keys.reserve(1143);
  Builder b(keys);
  AddOutputReso(b);
  AddPicture(b);
  AddMosaic(b);
  AddWindows(b);
  AddInputs(b);
  AddEdid(b);
  AddTasks(b);
  AddLogo(b);
  AddSwitcher(b);
  AddKeyers(b);
  AddRest(b);
  return keys;
}

}  // namespace

const std::vector<Key>& ProjectKeys::All() {
  static const std::vector<Key> keys = Build();
  return keys;
}

}  // namespace qv
