#include "SimDevice.h"

#include <algorithm>
#include <cstring>

#include "ColourBars.h"
#include "CropFrames.h"
#include "PayloadReader.h"
#include "ReplyWriter.h"
#include "SimFactory.h"
#include "link/CommandType.h"
#include "link/PreviewSize.h"
#include "link/ReplyKind.h"

namespace qv::sim {

namespace {

constexpr int kTestPatternCount = 111;
constexpr int kCustomResoIndex = 18;
constexpr int kAllSlots = 0xFF;
constexpr int32_t kVgaCard = 3;
constexpr int32_t kHdmiCard = 6;
constexpr int32_t kDpCard = 8;
constexpr int kMaxMosaicMode = 5;
constexpr uint16_t kEncoderVersion = 0x0105;

int Kind(ReplyKind kind) {
  return static_cast<int>(kind);
}
int Type(CommandType type) {
  return static_cast<int>(type);
}

template <typename T>
std::vector<uint8_t> BytesOf(const T& value) {
  std::vector<uint8_t> out(sizeof(T));
  std::memcpy(out.data(), &value, sizeof(T));
  return out;
}

std::vector<uint8_t> RecordSlice(const DeviceStatusRecord& rec, std::size_t from, std::size_t to) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&rec);
  return {bytes + from, bytes + to};
}

// Timing of each source of the composite board: DVI, HDMI, DP.
constexpr InputResolution kBoardSources[3] = {
    {0, 1920, 1080, 6000, 0}, {0, 1920, 1080, 6000, 0}, {0, 3840, 2160, 3000, 0}};

}  // namespace

SimDevice::SimDevice(SimDeviceOptions options)
    : options_(std::move(options)), rec_(SimFactory::Record(options_.compositeBoard)) {}

// ---------------------------------------------------------------- entry points

SimDevice::Replies SimDevice::OnConnect() {
  const uint8_t preview = options_.previewStream ? 1 : 0;
  return {{Kind(ReplyKind::DeviceFlagReply), {preview}}, InputStateReply()};
}

SimDevice::Replies SimDevice::OnCommand(int type, const Payload& p) {
  Replies out;
  const PayloadReader in(p);
  switch (static_cast<CommandType>(type)) {
    case CommandType::QueryFullState:
      out.push_back(FullState());
      break;
    case CommandType::PresetCommand:
      Preset(p, out);
      break;
    case CommandType::SetOutputTiming:
      OutputTiming(p, out);
      break;
    case CommandType::SetPictureSettings:
      Picture(p, out);
      break;
    case CommandType::SetWindowGeometry:
      WindowGeometry(p, out);
      break;
    case CommandType::SetCrop:
      Crop(p, out);
      break;
    case CommandType::SetMosaicCell:
      MosaicCell(p, out);
      break;
    case CommandType::SetWindowInput:
      WindowInput(p, out);
      break;
    case CommandType::SetWindowState:
      WindowState(p, out);
      break;
    case CommandType::SetLogo:
      Logo(p, out);
      break;
    case CommandType::SetEdid:
      SetEdid(p, out);
      break;
    case CommandType::SetKeyer:
      Keyer(p, out);
      break;
    case CommandType::SetTestPattern:
      if (in.u8(0) > kTestPatternCount) {
        Refuse(out, type, in.u8(0));
        break;
      }
      testPattern_ = in.u8(0);
      Ack(out);
      break;
    case CommandType::SetTestPatternParams:
      TestPatternParams(p, out);
      break;
    case CommandType::SetVgaAdjust:
      VgaAdjust(p, out);
      break;
    case CommandType::SetPvwMode:
      PvwMode(p, out);
      break;
    case CommandType::SetPvwDTime:
      if (in.u8(0) > 7) {
        Refuse(out, type, in.u8(0));
        break;
      }
      rec_.PvwDTime = in.u8(0);
      out.push_back(PvwModeReply());
      Ack(out);
      break;
    case CommandType::SetTaskTime:
      TaskTime(p, out);
      break;
    case CommandType::SetLoopOutIp:
      if (in.u8(0) >= kInputSlotCount) {
        Refuse(out, type, in.u8(0));
        break;
      }
      rec_.LoopOutIp = in.u8(0);
      out.push_back({Kind(ReplyKind::LoopOutIpReply), {rec_.LoopOutIp}});
      Ack(out);
      break;
    case CommandType::ResetDevice:
      Reset(out);
      break;
    case CommandType::Take:
      Take(out);
      break;
    case CommandType::SetSyncMode:
      SyncMode(p, out);
      break;
    case CommandType::CaptionCommandA:
      CaptionA(p, out);
      break;
    case CommandType::CaptionCommandB:
      CaptionB(p, out);
      break;
    case CommandType::VideoEncoderSettings:
      EncoderSettings(p, out);
      break;
    case CommandType::CompositeBoardCommand:
      CompositeBoard(p, out);
      break;
    case CommandType::SetFeather:
      SetFeather(p, out);
      break;
    case CommandType::SetFreeze:
      frozen_ = in.u8(0) != 0;
      Ack(out);
      break;
    case CommandType::QueryInputTiming:
      if (in.u8(0) == kAllSlots) {
        for (int s = 0; s < kInputSlotCount; ++s) out.push_back(InputTimingReply(s));
      } else if (in.u8(0) < kInputSlotCount) {
        out.push_back(InputTimingReply(in.u8(0)));
      } else {
        Refuse(out, type, in.u8(0));
      }
      break;
    case CommandType::QueryVgaAdjust:
      if (in.u8(0) >= kInputSlotCount) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(VgaReply(in.u8(0)));
      break;
    case CommandType::QueryEdid: {
      const auto* it = std::find_if(std::begin(rec_.Edid), std::end(rec_.Edid),
                                    [&](const EdidInfo& e) { return e.EdidInput == in.u8(0); });
      if (it == std::end(rec_.Edid)) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(EdidReply(static_cast<int>(it - std::begin(rec_.Edid))));
      break;
    }
    case CommandType::TaskCommand:
      TaskQuery(p, out);
      break;
    case CommandType::PictureCommand:
      if (in.u8(0) >= kWindowCount) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(PictureReply(in.u8(0)));
      break;
    case CommandType::QueryWindowGeometry:
      if (in.u8(0) >= kWindowCount) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(WindowGeometryReply(in.u8(0)));
      break;
    case CommandType::QueryMosaicCell:
      if (in.u8(0) >= kMosaicCellCount) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(MosaicReply(in.u8(0)));
      break;
    case CommandType::QueryKeyer:
      if (in.u8(0) != 1 && in.u8(0) != 3) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(KeyerReply(in.u8(0)));
      break;
    case CommandType::QueryEncoderStatus:
      if (in.u8(0) > 2) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(EncoderStatusReply(in.u8(0)));
      break;
    case CommandType::QueryCompositeBoard:
      out.push_back(CompositeBoardReply());
      break;
    case CommandType::CaptionQuery:
      if (!SimCaptions::ValidSlot(in.u8(0))) {
        Refuse(out, type, in.u8(0));
        break;
      }
      out.push_back(CaptionSlotReply(in.u8(0)));
      break;
    case CommandType::Request57:
    case CommandType::Request58:
    case CommandType::Request60:
    case CommandType::Request62:
    case CommandType::Request63:
    case CommandType::Request65:
    case CommandType::Request68:
    case CommandType::Request73:
      Request(type, out);
      break;
    default:
      // Types the processor takes without state to report (media player keys,
      // LED configuration, raw commands) and types it does not know. The
      // search ping never comes here: the link turns it into UDP discovery.
      Ack(out);
      break;
  }
  return out;
}

SimDevice::Replies SimDevice::OnRecord(const DeviceStatusRecord& record) {
  rec_ = KeepingHardware(record);
  Replies out;
  Ack(out);
  // The console reads the whole state back, which also closes its waiting notice.
  out.push_back(EventReply(Event::StateChanged, {1}));
  return out;
}

SimDevice::Replies SimDevice::OnBlock(int block, std::span<const uint8_t> data) {
  if (withholdBlockAcks_) return {};
  const std::optional<std::size_t> taken =
      block < 0 ? std::nullopt : captions_.Block(static_cast<std::size_t>(block), data);
  const auto length = static_cast<uint16_t>(data.size());
  const auto offset = static_cast<uint32_t>(block);
  return {EventReply(Event::BlockAck,
                     {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                      static_cast<uint8_t>(taken ? 1 : 0), static_cast<uint8_t>(offset),
                      static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset >> 16),
                      static_cast<uint8_t>(offset >> 24)})};
}

SimDevice::Replies SimDevice::Tick(TimePoint now) {
  const int64_t current = clock_.Seconds(now);
  const std::optional<int64_t> previous = lastTick_;
  lastTick_ = current;
  if (!previous || current <= *previous || rec_.TaskStatus == 0) return {};

  constexpr int64_t kDay = 86400;
  const auto due = [&](int64_t at) { return *previous < at && at <= current; };
  bool recalled = false;
  for (int t = 0; t < kTaskCount; ++t) {
    const TaskEntry& task = rec_.Task[t];
    if (!presetValid(task.PresetId)) continue;
    const SimClock::Fields fields{task.Year, task.Month, task.Day, task.Hour, task.Min, task.Sec};
    bool fire = false;
    if (task.TaskOption == 1) {
      const std::optional<int64_t> at = SimClock::SecondsOf(fields);
      fire = at && due(*at);
    } else if (task.TaskOption == 2 && task.Hour < 24 && task.Min < 60 && task.Sec < 60) {
      const int64_t timeOfDay = task.Hour * 3600 + task.Min * 60 + task.Sec;
      // A long gap (the host slept) fires a daily task once, not once per day missed.
      const int64_t lastDay = current / kDay;
      const int64_t firstDay = std::max(*previous / kDay, lastDay - 1);
      for (int64_t day = firstDay; day <= lastDay && !fire; ++day)
        fire = due(day * kDay + timeOfDay);
    }
    if (fire) {
      const int preset = task.PresetId;
      LoadPreset(preset);
      recalled = true;
      if (options_.taskFired) options_.taskFired(t, preset);
    }
  }
  if (!recalled) return {};
  return {EventReply(Event::StateChanged, {1})};
}

// ---------------------------------------------------------------- handlers

void SimDevice::Preset(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int op = in.u8(0);
  const int n = in.u8(1);
  const int type = Type(CommandType::PresetCommand);
  if (n >= kPresetCount) return Refuse(out, type, n);
  switch (op) {
    case 0:
      // The console sends operation 0 for both "Load" and "Save" on its
      // template list, so a template can only be recalled: the ten templates
      // are the processor's built-in layouts.
      ApplyTemplate(n);
      AddLayoutReplies(out);
      break;
    case 1:
      if (!presets_[n]) return Refuse(out, type, n);
      LoadPreset(n);
      AddLayoutReplies(out);
      break;
    case 2:
      presets_[n] = rec_;
      out.push_back(PresetFlagsReply());
      break;
    default:
      return Refuse(out, type, op);
  }
  Ack(out);
}

void SimDevice::OutputTiming(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int index = in.u8(0);
  if (index > kCustomResoIndex) return Refuse(out, Type(CommandType::SetOutputTiming), index);
  if (in.u16(1) == 0 || in.u16(3) == 0) return Refuse(out, Type(CommandType::SetOutputTiming), 0);
  rec_.ResoIndex = index;
  rec_.HReso = in.u16(1);
  rec_.VReso = in.u16(3);
  rec_.Fps = in.u16(5);
  rec_.HTotal = in.u16(7);
  rec_.HSync = in.u16(9);
  rec_.Hbp = in.u16(11);
  rec_.VTotal = in.u16(13);
  rec_.VSync = in.u16(15);
  rec_.Vbp = in.u16(17);
  rec_.HPol = in.u8(19);
  rec_.VPol = in.u8(20);
  out.push_back({Kind(ReplyKind::OutputNotice), {}});
  Ack(out);
}

void SimDevice::Picture(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int win = in.u8(4);
  if (win >= kWindowCount) return Refuse(out, Type(CommandType::SetPictureSettings), win);
  rec_.PicMode = std::min<int>(in.u8(1), 7);
  rec_.BrightLevel = std::min<int>(in.u8(2), 17);
  rec_.Gamma = static_cast<float>(std::min<int>(in.u8(3), 50)) / 10.0f;

  std::vector<int> targets;
  if (in.u8(5) == 1) {
    for (int g = 0; g < kSourceGroupCount; ++g) targets.push_back(win + kWindowCount * g);
  } else {
    targets.push_back(PictureRecordOf(win));
  }
  if (in.u8(0) == 0) {
    // A picture reset puts every record of every window back to the defaults.
    for (PictureSettings& ps : rec_.Picture) ps = SimFactory::PictureDefaults();
  } else {
    for (int r : targets) {
      PictureSettings& ps = rec_.Picture[r];
      ps.Brightness = std::min<uint8_t>(in.u8(6), 100);
      ps.Contrast = std::min<uint8_t>(in.u8(7), 100);
      ps.Saturation = std::min<uint8_t>(in.u8(8), 100);
      ps.Hue = std::min<uint8_t>(in.u8(9), 100);
      ps.Sharpness = std::min<uint8_t>(in.u8(10), 24);
      ps.ColorTemp = std::min<int>(in.u8(11), 8);
      ps.ColorRed = in.u8(12);
      ps.ColorGreen = in.u8(13);
      ps.ColorBlue = in.u8(14);
      if (in.u8(15) == 1) {
        // Colour reset: back to the user temperature with neutral gains.
        ps.ColorTemp = 8;
        ps.ColorRed = ps.ColorGreen = ps.ColorBlue = 128;
      }
    }
  }
  out.push_back(PictureReply(win));
  Ack(out);
}

void SimDevice::WindowGeometry(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int k = in.u8(0);
  const int type = Type(CommandType::SetWindowGeometry);
  if (k >= kWindowCount) return Refuse(out, type, k);
  if (in.u16(5) == 0 || in.u16(7) == 0) return Refuse(out, type, k);
  ChnlData& ch = rec_.Chnl[k];
  ch.HPos = in.u16(1);
  ch.VPos = in.u16(3);
  ch.HAct = in.u16(5);
  ch.VAct = in.u16(7);
  ch.ChnlRotation = in.u8(10);
  out.push_back(WindowGeometryReply(k));
  Ack(out);
}

void SimDevice::Crop(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int win = in.u8(0);
  if (win >= kWindowCount) return Refuse(out, Type(CommandType::SetCrop), win);
  CropSettings& c = rec_.Crop[PictureRecordOf(win)];
  if (in.u8(10) == 1) {
    c.CropOnOff = 0;
    c.HPos = c.VPos = 0;
    c.HAct = c.HTotal;
    c.VAct = c.VTotal;
  } else {
    c.CropOnOff = in.u8(1) != 0 ? 1 : 0;
    c.HPos = in.u16(2);
    c.VPos = in.u16(4);
    c.HAct = in.u16(6);
    c.VAct = in.u16(8);
    // The frame is the input's picture: a crop cannot reach past it. Without a
    // known frame (no signal yet) the crop is kept as given.
    if (c.HTotal > 0) {
      c.HPos = std::min(c.HPos, c.HTotal);
      c.HAct = std::min<uint16_t>(c.HAct, c.HTotal - c.HPos);
    }
    if (c.VTotal > 0) {
      c.VPos = std::min(c.VPos, c.VTotal);
      c.VAct = std::min<uint16_t>(c.VAct, c.VTotal - c.VPos);
    }
  }
  out.push_back(CropReply(win));
  Ack(out);
}

void SimDevice::MosaicCell(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int op = in.u8(0);
  const int mode = in.u8(1);
  const int cell = in.u8(3);
  const int type = Type(CommandType::SetMosaicCell);
  if (mode > kMaxMosaicMode) return Refuse(out, type, mode);
  if (cell >= kMosaicCellCount) return Refuse(out, type, cell);
  switch (op) {
    case 0: {
      rec_.MosaicMode = mode;
      rec_.MosaicAux = in.u8(29);
      static constexpr int32_t kDefaultArrangement[kMaxMosaicMode + 1] = {8, 8, 0, 0, 2, 5};
      rec_.MosaicAutoArr = kDefaultArrangement[mode];
      // Four panels need window 3 as a picture, and feathering exists only
      // in the two-panel modes.
      if (mode == 5) rec_.LogoUsage = 0;
      if (mode != 2 && mode != 3) featherOnOff_ = 0;
      out.push_back(EventReply(Event::MosaicChanged, {0}));
      break;
    }
    case 1:
      if (in.u8(2) >= 8) return Refuse(out, type, in.u8(2));
      rec_.MosaicMode = mode;
      rec_.MosaicAutoArr = in.u8(2);
      out.push_back(EventReply(Event::MosaicChanged, {0}));
      break;
    case 2: {
      const auto v = [&](int at) { return static_cast<int32_t>(in.u32(at)); };
      const int32_t hPos = v(4), vPos = v(8), hAct = v(12), vAct = v(16), hEnd = v(20),
                    vEnd = v(24);
      if (hPos < 0 || vPos < 0 || hAct <= 0 || vAct <= 0 || hPos + hAct > hEnd ||
          vPos + vAct > vEnd) {
        return Refuse(out, type, cell);
      }
      rec_.CellHPos[cell] = hPos;
      rec_.CellVPos[cell] = vPos;
      rec_.CellHAct[cell] = hAct;
      rec_.CellVAct[cell] = vAct;
      rec_.CellHEnd[cell] = hEnd;
      rec_.CellVEnd[cell] = vEnd;
      rec_.MosaicAux = in.u8(29);
      out.push_back(MosaicReply(cell));
      break;
    }
    default:
      return Refuse(out, type, op);
  }
  Ack(out);
}

void SimDevice::WindowInput(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int win = in.u8(0);
  const int type = Type(CommandType::SetWindowInput);
  if (win >= kWindowCount) return Refuse(out, type, win);
  // The console sends the physical input and the half; a split DisplayPort
  // input's left half travels like the whole input, so the split decides.
  const int physical = in.u8(1);
  const int half = in.u8(2);
  int input = -1;
  if (physical < kInputSlotCount && half == 0) {
    input = physical;
    if (physical == 4 && rec_.DpMode[0] == 1) input = 8;
    if (physical == 6 && rec_.DpMode[1] == 1) input = 10;
  } else if (half == 1 && physical == 4 && rec_.DpMode[0] == 1) {
    input = 9;
  } else if (half == 1 && physical == 6 && rec_.DpMode[1] == 1) {
    input = 11;
  }
  if (input < 0 || rec_.InputSrc[physical] < 0 || rec_.InputSrc[physical] > 9) {
    return Refuse(out, type, physical * 10 + half);
  }
  // An on-air window keeps its source until it goes to preview.
  if (rec_.PvwMode != 0 && rec_.PgmState[win] != 0) return Refuse(out, type, win);
  rec_.Chnl[win].ChnlInput = static_cast<uint8_t>(input);
  out.push_back(WindowSourcesReply());
  Ack(out);
}

void SimDevice::WindowState(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int k = in.u8(0);
  if (k >= kWindowCount) return Refuse(out, Type(CommandType::SetWindowState), k);
  rec_.Chnl[k].ChnlOnOff = in.u8(1) != 0 ? 1 : 0;
  rec_.Chnl[k].ChnlAlpha = std::min<uint8_t>(in.u8(2), 64);
  out.push_back(WindowSourcesReply());
  Ack(out);
}

void SimDevice::Logo(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int op = in.u8(0);
  const int s = in.u8(1);
  const int type = Type(CommandType::SetLogo);
  if (s >= kLogoSlotCount) return Refuse(out, type, s);
  const uint16_t x = in.u16(2), y = in.u16(4), w = in.u16(6), h = in.u16(8);
  switch (op) {
    case 0:
      rec_.LogoValid[s] = 0;
      if (rec_.LogoCurId == s) rec_.LogoOnOff = 0;
      break;
    case 1:
      if (rec_.LogoValid[s] == 0) return Refuse(out, type, s);
      rec_.LogoCurId = static_cast<uint8_t>(s);
      rec_.LogoHPos[s] = x;
      rec_.LogoVPos[s] = y;
      if (rec_.LogoUsage == 1) {
        // The logo window shows the stored logo where it is placed.
        ChnlData& ch = rec_.Chnl[3];
        ch.HPos = x;
        ch.VPos = y;
        ch.HAct = rec_.LogoHAct[s];
        ch.VAct = rec_.LogoVAct[s];
      }
      break;
    case 2:
      if (w == 0 || h == 0) return Refuse(out, type, s);
      rec_.LogoValid[s] = 1;
      rec_.LogoHAct[s] = w;
      rec_.LogoVAct[s] = h;
      rec_.LogoHPos[s] = rec_.LogoVPos[s] = 0;
      break;
    case 3:
      // In normal use the rectangle only marks what a save will capture.
      if (rec_.LogoUsage == 1) {
        rec_.LogoHPos[s] = x;
        rec_.LogoVPos[s] = y;
      }
      break;
    case 4:
      rec_.LogoUsage = in.u8(11) != 0 ? 1 : 0;
      rec_.LogoOnOff = in.u8(12) != 0 ? 1 : 0;
      break;
    case 5:
      if (in.u8(12) != 0 && rec_.LogoUsage == 1 &&
          (rec_.LogoCurId >= kLogoSlotCount || rec_.LogoValid[rec_.LogoCurId] == 0)) {
        return Refuse(out, type, rec_.LogoCurId);
      }
      rec_.LogoOnOff = in.u8(12) != 0 ? 1 : 0;
      break;
    case 6:
      rec_.LogoPos = in.u8(13) != 0 ? 1 : 0;
      break;
    case 7:
      rec_.LogoAux = in.u8(14) != 0 ? 1 : 0;
      break;
    default:
      return Refuse(out, type, op);
  }
  out.push_back(LogoReply());
  // Loading, saving and switching the logo on keep the console waiting.
  if (op == 1 || op == 2 || op == 5) out.push_back(EventReply(Event::Done));
  Ack(out);
}

void SimDevice::SetEdid(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const uint8_t input = in.u8(0);
  const int op = in.u8(1);
  const auto* it = std::find_if(std::begin(rec_.Edid), std::end(rec_.Edid),
                                [&](const EdidInfo& e) { return e.EdidInput == input; });
  if (it == std::end(rec_.Edid)) {
    out.push_back(EventReply(Event::EdidApplied, {input, 0}));
    return;
  }
  const int j = static_cast<int>(it - std::begin(rec_.Edid));
  EdidInfo& e = rec_.Edid[j];
  if (op == 0) {
    e = SimFactory::Edid(input);
    out.push_back(EdidReply(j));
    out.push_back(EventReply(Event::Done));
    Ack(out);
    return;
  }
  if (op != 1 && op != 2) return Refuse(out, Type(CommandType::SetEdid), op);
  EdidInfo next = e;
  next.HAct = in.u16(2);
  next.VAct = in.u16(4);
  next.Fps = in.u16(6);
  // Without blanking the input announces the standard blanking of its timing.
  next.HBlank = op == 2 ? in.u16(8) : 280;
  next.VBlank = op == 2 ? in.u16(10) : 45;
  const int32_t card = input < kInputSlotCount ? rec_.InputSrc[input] : -1;
  const uint64_t limit =
      card == kDpCard || (input == 6 && card == kHdmiCard) ? 300'000'000 : 165'000'000;
  const uint64_t clock =
      static_cast<uint64_t>(next.HAct + next.HBlank) * (next.VAct + next.VBlank) * next.Fps / 100;
  const bool ok = next.HAct >= 240 && next.HAct <= 3840 && next.VAct >= 240 && next.VAct <= 3840 &&
                  next.Fps >= 2000 && next.Fps <= 12100 && clock <= limit;
  if (ok) e = next;
  out.push_back(EdidReply(j));
  out.push_back(EventReply(Event::EdidApplied, {input, static_cast<uint8_t>(ok ? 1 : 0)}));
  Ack(out);
}

void SimDevice::Keyer(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int channel = in.u8(31);
  if (channel != 1 && channel != 3) return Refuse(out, Type(CommandType::SetKeyer), channel);
  KeyerInfo& k = rec_.Keyer[channel == 3 ? 0 : 1];
  k.KeyerChnl = static_cast<uint8_t>(channel);
  k.KeyerOnOff = in.u8(0) != 0 ? 1 : 0;
  k.KeyerMode = in.u8(1);
  k.KeyerRedL = in.u8(2);
  k.KeyerRedH = in.u8(3);
  k.KeyerGreenL = in.u8(4);
  k.KeyerGreenH = in.u8(5);
  k.KeyerBlueL = in.u8(6);
  k.KeyerBlueH = in.u8(7);
  k.KeyerGainIn = in.u8(8);
  k.KeyerGainOut = in.u8(9);
  k.KeyerGainBnd = in.u8(10);
  out.push_back(KeyerReply(channel));
  Ack(out);
}

void SimDevice::TestPatternParams(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  pixelGrab_ = in.u8(0) != 0;
  if (pixelGrab_) {
    const int x = std::min<int>(in.u16(1), rec_.HReso - 1);
    const ColourBars::Rgb c = ColourBars::At(x, rec_.HReso);
    out.push_back({Kind(ReplyKind::TestPatternInfoReply),
                   ReplyWriter(6).u16(0, c.r).u16(2, c.g).u16(4, c.b).take()});
  }
  Ack(out);
}

void SimDevice::VgaAdjust(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int group = in.u8(0);
  const int slot = in.u8(1);
  const int action = in.u8(2);
  const int type = Type(CommandType::SetVgaAdjust);
  if (slot >= kInputSlotCount) return Refuse(out, type, slot);
  VgaSettings& v = vga_[slot];
  const bool live = rec_.InputSrc[slot] == kVgaCard && rec_.InputState[slot] != 0;
  std::optional<bool> result;  // the outcome an automatic operation reports
  switch (group) {
    case 0:
      if (action == 0) {
        v.clock = std::clamp<uint32_t>(in.u16(3), 500, 4096);
        v.phase = std::min<uint32_t>(in.u8(5), 63);
        v.hPos = std::clamp<int8_t>(in.s8(6), -100, 100);
        v.vPos = std::clamp<int8_t>(in.s8(7), -16, 16);
      } else if (action == 1) {
        result = live;
        if (live) {
          // Lock onto the usual total of the detected width (1344 for 1024).
          v.clock = rec_.InputReso[slot].HAct * 21u / 16u;
          v.phase = VgaSettings{}.phase;
          v.hPos = v.vPos = 0;
        }
      } else if (action == 2) {
        const VgaSettings defaults;
        v.clock = defaults.clock;
        v.phase = defaults.phase;
        v.hPos = defaults.hPos;
        v.vPos = defaults.vPos;
      } else {
        return Refuse(out, type, action);
      }
      break;
    case 1: {
      constexpr int kWireOrder[6] = {0, 2, 4, 1, 3, 5};
      if (action == 0) {
        for (int i = 0; i < 6; ++i)
          v.adc[kWireOrder[i]] = std::min<uint16_t>(in.u16(9 + 2 * i), 1023);
      } else if (action == 1 || action == 2) {
        v.adc = VgaSettings{}.adc;
        if (action == 1) result = live;
      } else {
        return Refuse(out, type, action);
      }
      break;
    }
    case 2:
      v.ddc = action != 0 ? 1 : 0;
      Ack(out);
      return;
    default:
      return Refuse(out, type, group);
  }
  out.push_back(VgaReply(slot));
  if (result)
    out.push_back(EventReply(Event::VgaAdjusted, {static_cast<uint8_t>(*result ? 1 : 0)}));
  Ack(out);
}

void SimDevice::PvwMode(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int mode = in.u8(0);
  if (mode > 2) return Refuse(out, Type(CommandType::SetPvwMode), mode);
  // The windows and the logo the new mode changes are reported with it.
  bool windowsChanged = false;
  bool logoChanged = false;
  if (mode != rec_.PvwMode) {
    rec_.PvwMode = mode;
    std::fill(std::begin(rec_.PgmState), std::end(rec_.PgmState), 0);
    std::fill(std::begin(rec_.PvwState), std::end(rec_.PvwState), 0);
    if (mode == 1) {
      // One panel: windows 0 and 1 are program and preview, the PIPs start on preview.
      rec_.PgmState[0] = 1;
      rec_.PvwState[1] = rec_.PvwState[2] = rec_.PvwState[3] = 1;
      windowsChanged = rec_.Chnl[1].ChnlOnOff != 1;
      rec_.Chnl[1].ChnlOnOff = 1;
    } else if (mode == 2) {
      // Two panels: windows 0 and 1 on program, 2 and 3 on preview; window 3
      // is needed as a picture.
      rec_.PgmState[0] = rec_.PgmState[1] = 1;
      rec_.PvwState[2] = rec_.PvwState[3] = 1;
      logoChanged = rec_.LogoUsage != 0;
      rec_.LogoUsage = 0;
    }
  }
  out.push_back(PvwModeReply());
  if (windowsChanged) out.push_back(WindowSourcesReply());
  if (logoChanged) out.push_back(LogoReply());
  out.push_back(EventReply(Event::Done));
  Ack(out);
}

void SimDevice::TaskTime(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int op = in.u8(0);
  const int t = in.u8(8);
  const int type = Type(CommandType::SetTaskTime);
  if (t >= kTaskCount) return Refuse(out, type, t);
  const SimClock::Fields fields{in.u8(2), in.u8(3), in.u8(4), in.u8(5), in.u8(6), in.u8(7)};
  switch (op) {
    case 0: {
      const TimePoint now = options_.now();
      if (!clock_.Set(fields, now)) return Refuse(out, type, op);
      // Tasks between the old and the new time do not fire.
      lastTick_ = clock_.Seconds(now);
      out.push_back(ClockReply());
      break;
    }
    case 1: {
      const int preset = in.u8(9);
      const int option = in.u8(10);
      if (preset >= kPresetCount || option > 2) return Refuse(out, type, t);
      if (option != 0 && !SimClock::SecondsOf(fields)) return Refuse(out, type, t);
      TaskEntry& task = rec_.Task[t];
      task.Year = fields[0];
      task.Month = fields[1];
      task.Day = fields[2];
      task.Hour = fields[3];
      task.Min = fields[4];
      task.Sec = fields[5];
      task.PresetId = static_cast<uint8_t>(preset);
      task.TaskOption = option;
      out.push_back(TaskReply());
      break;
    }
    case 2:
      rec_.TaskStatus = in.u8(1) != 0 ? 1 : 0;
      out.push_back(TaskReply());
      break;
    default:
      return Refuse(out, type, op);
  }
  Ack(out);
}

void SimDevice::TaskQuery(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  switch (in.u8(0)) {
    case 0:
      out.push_back(ClockReply());
      break;
    case 1:
      out.push_back(TaskReply());
      break;
    default:
      Refuse(out, Type(CommandType::TaskCommand), in.u8(0));
      break;
  }
}

void SimDevice::Take(Replies& out) {
  if (rec_.PvwMode == 0) return Refuse(out, Type(CommandType::Take), 0);
  for (int k = 0; k < kWindowCount; ++k) std::swap(rec_.PgmState[k], rec_.PvwState[k]);
  out.push_back(PvwModeReply());
  out.push_back(EventReply(Event::Done));
  Ack(out);
}

void SimDevice::SyncMode(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int which = in.u8(0);
  const int value = in.u8(1);
  const int type = Type(CommandType::SetSyncMode);
  if (which == 0 && value <= 12) {
    rec_.SyncLockMode = value;
  } else if (which == 1 && value <= 2) {
    rec_.SyncMode = value;
  } else {
    return Refuse(out, type, which == 0 || which == 1 ? value : which);
  }
  Ack(out);
}

void SimDevice::CaptionA(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int slot = in.u8(0);
  const int op = in.u8(1);
  const int type = Type(CommandType::CaptionCommandA);
  if (op == 0) {
    const bool ok = captions_.StartUpload(slot, in.u16(2), in.u16(4));
    out.push_back(EventReply(Event::CaptionStart, {static_cast<uint8_t>(ok ? 0 : 1)}));
    if (ok) Ack(out);
    return;
  }
  if (!SimCaptions::ValidSlot(slot)) return Refuse(out, type, slot);
  SimCaptions::Slot& s = captions_.slot(slot);
  switch (op) {
    case 1:
      captions_.Finish(slot, in.u16(2), in.u16(4), in.u16(6), in.u16(8));
      break;
    case 2:
      std::copy_n(p.begin() + 2, 6, s.begin() + 4);  // H start, V start, display width
      break;
    default:
      return Refuse(out, type, op);
  }
  out.push_back(CaptionSlotReply(slot));
  Ack(out);
}

void SimDevice::CaptionB(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int slot = in.u8(0);
  const int op = in.u8(1);
  const int type = Type(CommandType::CaptionCommandB);
  if (op == 5) {
    captions_.ResetAll();
    out.push_back(EventReply(Event::CaptionsReset));
    Ack(out);
    return;
  }
  if (!SimCaptions::ValidSlot(slot)) return Refuse(out, type, slot);
  SimCaptions::Slot& s = captions_.slot(slot);
  switch (op) {
    case 0:
      s[11] = std::min<uint8_t>(in.u8(2), 3);  // speed
      s[10] = std::min<uint8_t>(in.u8(3), 1);  // direction
      break;
    case 1:
      out.push_back(EventReply(Event::CaptionSaved));
      Ack(out);
      return;
    case 2:
      s[12] = in.u8(2) != 0 ? 1 : 0;
      break;
    case 3:
      std::copy_n(p.begin() + 2, 3, s.begin() + 16);
      s[19] = 0;
      std::copy_n(p.begin() + 6, 3, s.begin() + 20);
      s[23] = 0;
      s[13] = std::min<uint8_t>(in.u8(9), 2);
      break;
    case 4:
      for (int n = 0; n < 4; ++n) s[24 + n] = in.u8(2 + n) != 0 ? 1 : 0;
      break;
    default:
      return Refuse(out, type, op);
  }
  out.push_back(CaptionSlotReply(slot));
  Ack(out);
}

void SimDevice::EncoderSettings(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int fps = in.u8(1);
  const int code = in.u8(2);
  const int kbps = in.u8(3) << 8 | in.u8(4);
  const int type = Type(CommandType::VideoEncoderSettings);
  const std::optional<PreviewSize> size = PreviewSizeOfCode(code);
  if (!size) return Refuse(out, type, code);
  if (fps < 1 || fps > 60) return Refuse(out, type, fps);
  if (kbps < 2 || kbps > 40960) return Refuse(out, type, 0);
  preview_ = {code, size->width, size->height, fps, kbps};
  out.push_back(EncoderStatusReply(2));
  Ack(out);
}

void SimDevice::CompositeBoard(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  const int type = Type(CommandType::CompositeBoardCommand);
  if (rec_.CmpBoardExist == 0) return Refuse(out, type, 0);
  switch (in.u8(0)) {
    case 0:
      if (in.u8(1) > 2) return Refuse(out, type, in.u8(1));
      SwitchBoardSource(in.u8(1));
      break;
    case 1:
      rec_.CmpBoardMode = in.u8(1);
      break;
    default:
      return Refuse(out, type, in.u8(0));
  }
  out.push_back(CompositeBoardReply());
  Ack(out);
}

void SimDevice::SetFeather(const Payload& p, Replies& out) {
  const PayloadReader in(p);
  for (int n = 0; n < kWindowCount; ++n) {
    const int sharp = in.u8(1 + 2 * n);
    const int level = in.u8(2 + 2 * n);
    if (sharp >= 1 && sharp <= 5) feather_[n].sharp = sharp;
    if (level <= 3) feather_[n].level = level;
  }
  // Feathering works only where two panels overlap.
  const bool twoPanels = rec_.MosaicMode == 2 || rec_.MosaicMode == 3;
  featherOnOff_ = in.u8(0) != 0 && twoPanels ? 1 : 0;
  out.push_back(FeatherReply());
  Ack(out);
}

void SimDevice::Request(int type, Replies& out) {
  switch (static_cast<CommandType>(type)) {
    case CommandType::Request57:  // input splitting
      out.push_back(DpModeReply(0));
      out.push_back(DpModeReply(1));
      break;
    case CommandType::Request58:  // logo
      out.push_back(LogoReply());
      break;
    case CommandType::Request60:  // window sources
      out.push_back(WindowSourcesReply());
      break;
    case CommandType::Request62:  // system information
      out.push_back(MiscInfoReply());
      out.push_back(ClockReply());
      out.push_back({Kind(ReplyKind::OutputFlagReply), {rec_.OutputFlag31}});
      break;
    case CommandType::Request63:  // switcher
      out.push_back(PvwModeReply());
      break;
    case CommandType::Request65:  // input signals
      out.push_back(InputStateReply());
      break;
    case CommandType::Request68:  // preset store
      out.push_back(PresetFlagsReply());
      break;
    case CommandType::Request73:  // what depends on the mosaic: switcher and feathering
      out.push_back(PvwModeReply());
      out.push_back(FeatherReply());
      break;
    default:
      break;
  }
}

void SimDevice::Reset(Replies& out) {
  rec_ = SimFactory::Record(options_.compositeBoard);
  for (auto& preset : presets_) preset.reset();
  vga_.fill(VgaSettings{});
  captions_.ResetAll();
  preview_ = PreviewSettings{};
  featherOnOff_ = 0;
  feather_.fill(Feather{});
  frozen_ = false;
  testPattern_ = 0;
  pixelGrab_ = false;
  Ack(out);
  out.push_back(EventReply(Event::StateChanged, {1}));
}

// ---------------------------------------------------------------- state changes

DeviceStatusRecord SimDevice::KeepingHardware(const DeviceStatusRecord& incoming) const {
  DeviceStatusRecord r = incoming;
  std::copy(std::begin(rec_.InputSrc), std::end(rec_.InputSrc), std::begin(r.InputSrc));
  std::copy(std::begin(rec_.InputState), std::end(rec_.InputState), std::begin(r.InputState));
  std::copy(std::begin(rec_.InputReso), std::end(rec_.InputReso), std::begin(r.InputReso));
  std::copy(std::begin(rec_.DpMode), std::end(rec_.DpMode), std::begin(r.DpMode));
  std::copy(std::begin(rec_.Edid), std::end(rec_.Edid), std::begin(r.Edid));
  std::copy(std::begin(rec_.LogoValid), std::end(rec_.LogoValid), std::begin(r.LogoValid));
  r.TaskStatus = rec_.TaskStatus;
  std::copy(std::begin(rec_.Task), std::end(rec_.Task), std::begin(r.Task));
  r.OutputFlag31 = rec_.OutputFlag31;
  // The board's fitted sources and what it detects; its mode is a setting.
  constexpr std::size_t kBoardFrom = offsetof(DeviceStatusRecord, CmpBoardExist);
  constexpr std::size_t kBoardTo = offsetof(DeviceStatusRecord, CmpBoardMode);
  std::memcpy(reinterpret_cast<uint8_t*>(&r) + kBoardFrom,
              reinterpret_cast<const uint8_t*>(&rec_) + kBoardFrom, kBoardTo - kBoardFrom);
  CropFrames::ApplyAll(r);
  return r;
}

void SimDevice::LoadPreset(int n) {
  rec_ = KeepingHardware(*presets_[n]);
}

void SimDevice::ApplyTemplate(int n) {
  const SimFactory::Template& t = SimFactory::Templates()[n];
  for (int k = 0; k < kWindowCount; ++k) {
    // Window 3 serving as the logo keeps its place.
    if (k == 3 && rec_.LogoUsage == 1) continue;
    ChnlData& ch = rec_.Chnl[k];
    ch.ChnlOnOff = t[k].on ? 1 : 0;
    if (!t[k].on) continue;
    ch.HPos = rec_.HReso * t[k].x / 12;
    ch.VPos = rec_.VReso * t[k].y / 12;
    ch.HAct = rec_.HReso * t[k].w / 12;
    ch.VAct = rec_.VReso * t[k].h / 12;
  }
}

void SimDevice::SwitchBoardSource(int32_t source) {
  const InputResolution& timing = kBoardSources[source];
  rec_.CmpBoardActNoSrc = source;
  rec_.CmpBoardActSignal = 1;
  rec_.CmpBoardActHAct = timing.HAct;
  rec_.CmpBoardActVAct = timing.VAct;
  rec_.CmpBoardActFps = timing.Fps;
  rec_.CmpBoardActInterlace = static_cast<uint8_t>(timing.Interlace);
  rec_.CmpBoardActDual = 0;
  rec_.InputSrc[6] = rec_.CmpBoardIpSrc[source];
  rec_.InputState[6] = 1;
  rec_.InputReso[6].HAct = timing.HAct;
  rec_.InputReso[6].VAct = timing.VAct;
  rec_.InputReso[6].Fps = timing.Fps;
  rec_.InputReso[6].Interlace = timing.Interlace;
  rec_.DpMode[1] = 0;
  CropFrames::Apply(rec_, 6);
}

// ---------------------------------------------------------------- replies

SimReply SimDevice::FullState() const {
  return {Kind(ReplyKind::FullStateReply), BytesOf(rec_)};
}

SimReply SimDevice::InputTimingReply(int slot) const {
  std::vector<uint8_t> bytes = BytesOf(rec_.InputReso[slot]);
  bytes[0] = static_cast<uint8_t>(slot);
  return {Kind(ReplyKind::InputTimingReply), std::move(bytes)};
}

SimReply SimDevice::VgaReply(int slot) const {
  const VgaSettings& v = vga_[slot];
  ReplyWriter w(28);
  w.u32(0, static_cast<uint32_t>(slot)).u32(4, v.clock).u32(8, v.phase);
  w.u8(12, static_cast<uint8_t>(v.hPos)).u8(13, static_cast<uint8_t>(v.vPos));
  for (int i = 0; i < 6; ++i) w.u16(14 + 2 * i, v.adc[i]);
  return {Kind(ReplyKind::VgaAdjustReply), w.take()};
}

SimReply SimDevice::EdidReply(int record) const {
  return {Kind(ReplyKind::EdidReply), BytesOf(rec_.Edid[record])};
}

SimReply SimDevice::TaskReply() const {
  return {Kind(ReplyKind::TaskReply), RecordSlice(rec_, offsetof(DeviceStatusRecord, TaskStatus),
                                                  offsetof(DeviceStatusRecord, LogoUsage))};
}

SimReply SimDevice::PictureReply(int window) const {
  ReplyWriter w(32);
  w.u32(0, static_cast<uint32_t>(rec_.PicMode)).u32(4, static_cast<uint32_t>(rec_.BrightLevel));
  w.bytes(8, &rec_.Gamma, sizeof rec_.Gamma);
  w.bytes(12, &rec_.Picture[PictureRecordOf(window)], sizeof(PictureSettings));
  return {Kind(ReplyKind::PictureReply), w.take(), window};
}

SimReply SimDevice::WindowGeometryReply(int window) const {
  const ChnlData& ch = rec_.Chnl[window];
  ReplyWriter w(20);
  w.u32(0, static_cast<uint32_t>(ch.HPos)).u32(4, static_cast<uint32_t>(ch.VPos));
  w.u32(8, static_cast<uint32_t>(ch.HAct)).u32(12, static_cast<uint32_t>(ch.VAct));
  w.u32(16, static_cast<uint32_t>(ch.ChnlRotation));
  return {Kind(ReplyKind::WindowGeometryReply), w.take(), window};
}

SimReply SimDevice::CropReply(int window) const {
  return {Kind(ReplyKind::CropReply), BytesOf(rec_.Crop[PictureRecordOf(window)]), window};
}

SimReply SimDevice::MosaicReply(int cell) const {
  return {Kind(ReplyKind::MosaicReply),
          RecordSlice(rec_, offsetof(DeviceStatusRecord, MosaicMode),
                      offsetof(DeviceStatusRecord, Chnl)),
          cell};
}

SimReply SimDevice::ClockReply() const {
  const SimClock::Fields f = clock_.At(options_.now());
  return {Kind(ReplyKind::ClockReply), {f.begin(), f.end()}};
}

SimReply SimDevice::WindowSourcesReply() const {
  std::vector<uint8_t> bytes;
  for (const ChnlData& ch : rec_.Chnl) {
    bytes.insert(bytes.end(), {ch.ChnlOnOff, ch.ChnlAlpha, ch.ChnlInput});
  }
  return {Kind(ReplyKind::WindowSourcesReply), std::move(bytes), kWindowCount};
}

SimReply SimDevice::LogoReply() const {
  return {Kind(ReplyKind::LogoReply), RecordSlice(rec_, offsetof(DeviceStatusRecord, LogoUsage),
                                                  offsetof(DeviceStatusRecord, pad2246))};
}

SimReply SimDevice::KeyerReply(int channel) const {
  return {Kind(ReplyKind::KeyerReply), BytesOf(rec_.Keyer[channel == 3 ? 0 : 1])};
}

SimReply SimDevice::PresetFlagsReply() const {
  std::vector<uint8_t> flags(kPresetCount);
  for (int n = 0; n < kPresetCount; ++n) flags[n] = presets_[n] ? 1 : 0;
  return {Kind(ReplyKind::PresetFlagsReply), std::move(flags)};
}

SimReply SimDevice::MiscInfoReply() const {
  // Supply voltage in hundredths of a volt, four version characters, four
  // version numbers and the flag that the fourth one is present.
  ReplyWriter w(18);
  w.u16(0, 1205).bytes(2, "QVSM", 4);
  w.u16(6, 0x0100).u16(8, 0x0203).u16(10, 0x0001).u16(12, 0x0002).u8(14, 1);
  return {Kind(ReplyKind::MiscInfoReply), w.take()};
}

SimReply SimDevice::PvwModeReply() const {
  return {Kind(ReplyKind::PvwModeReply), RecordSlice(rec_, offsetof(DeviceStatusRecord, PvwMode),
                                                     offsetof(DeviceStatusRecord, Keyer))};
}

SimReply SimDevice::DpModeReply(int dp) const {
  return {Kind(ReplyKind::DpModeReply), {static_cast<uint8_t>(dp), rec_.DpMode[dp]}};
}

SimReply SimDevice::InputStateReply() const {
  return {Kind(ReplyKind::InputStateReply),
          {std::begin(rec_.InputState), std::end(rec_.InputState)}};
}

SimReply SimDevice::CaptionSlotReply(int slot) const {
  const SimCaptions::Slot& s = captions_.slot(slot);
  return {Kind(ReplyKind::CaptionSlotReply), {s.begin(), s.end()}};
}

SimReply SimDevice::EncoderStatusReply(int type) const {
  ReplyWriter w(10);
  w.u8(0, static_cast<uint32_t>(type));
  switch (type) {
    case 0:
      w.bytes(5, options_.encoderIp.data(), options_.encoderIp.size());
      break;
    case 1:
      w.u8(1, kEncoderVersion >> 8).u8(2, kEncoderVersion & 0xFF);
      break;
    default:
      w.u8(2, static_cast<uint32_t>(preview_.fps)).u8(3, static_cast<uint32_t>(preview_.code));
      w.u8(4, static_cast<uint32_t>(preview_.kbps >> 8))
          .u8(5, static_cast<uint32_t>(preview_.kbps & 0xFF));
      break;
  }
  return {Kind(ReplyKind::EncoderStatusReply), w.take()};
}

SimReply SimDevice::CompositeBoardReply() const {
  return {Kind(ReplyKind::CompositeBoardReply),
          RecordSlice(rec_, offsetof(DeviceStatusRecord, CmpBoardExist), kDeviceRecordSize)};
}

SimReply SimDevice::FeatherReply() const {
  ReplyWriter w(36);
  w.u32(0, static_cast<uint32_t>(featherOnOff_));
  for (int n = 0; n < kWindowCount; ++n) {
    w.u32(4 + 4 * n, static_cast<uint32_t>(feather_[n].sharp));
    w.u32(20 + 4 * n, static_cast<uint32_t>(feather_[n].level));
  }
  return {Kind(ReplyKind::FeatherReply), w.take()};
}

void SimDevice::AddLayoutReplies(Replies& out) const {
  for (int k = 0; k < kWindowCount; ++k) out.push_back(WindowGeometryReply(k));
  out.push_back(WindowSourcesReply());
  out.push_back(PvwModeReply());
}

SimReply SimDevice::EventReply(Event event, std::initializer_list<uint8_t> args) {
  std::vector<uint8_t> bytes(8, 0);
  bytes[0] = static_cast<uint8_t>(event);
  std::copy(args.begin(), args.end(), bytes.begin() + 1);
  return {Kind(ReplyKind::DeviceEvent), std::move(bytes)};
}

void SimDevice::Ack(Replies& out) const {
  if (!withholdAcks_) out.push_back({Kind(ReplyKind::Ack), {}});
}

void SimDevice::Refuse(Replies& out, int type, int index) {
  out.push_back(
      EventReply(Event::Refused, {static_cast<uint8_t>(type), static_cast<uint8_t>(index)}));
}

}  // namespace qv::sim
