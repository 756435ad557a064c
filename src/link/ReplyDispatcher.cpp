#include "ReplyDispatcher.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace qv {

namespace {

// Bytes each kind's handler reads; a shorter payload is dropped whole.
constexpr std::array<std::size_t, kReplyKindCount> kMinPayload = {1,   1,   kDeviceRecordSize,
                                                                  6,   10,  28,
                                                                  12,  124, 32,
                                                                  0,   20,  14,
                                                                  108, 6,   0,
                                                                  42,  20,  10,
                                                                  1,   18,  16,
                                                                  2,   8,   0,
                                                                  1,   32,  0,
                                                                  0,   10,  44,
                                                                  36,  1};

constexpr int kNoNotify = -1;

uint8_t* RecordBytes(DeviceStatusRecord& rec) {
  return reinterpret_cast<uint8_t*>(&rec);
}

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
int32_t Le32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

template <typename T>
void CopyInto(T& field, const std::vector<uint8_t>& payload, std::size_t at = 0) {
  static_assert(std::is_trivially_copyable_v<T>);
  std::memcpy(&field, payload.data() + at, sizeof(T));
}

}  // namespace

ReplyDispatcher::ReplyDispatcher(DeviceModel& model, CommandEncoder& encoder, Scheduler& scheduler,
                                 NotificationSink& sink)
    : model_(model), encoder_(encoder), scheduler_(scheduler), sink_(sink) {}

const std::array<int, kReplyKindCount>& ReplyDispatcher::RegistrationOrder() {
  static const std::array<int, kReplyKindCount> order = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                         11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                                         27, 22, 24, 26, 23, 25, 28, 29, 30, 31};
  return order;
}

void ReplyDispatcher::RegisterHandlers(CommLink& link) {
  for (int kind : RegistrationOrder()) {
    link.CommRegisterHandler([this, kind](const ReplyView& view) { OnReply(kind, view); }, kind);
  }
}

void ReplyDispatcher::OnReply(int kind, const ReplyView& view) {
  if (kind == static_cast<int>(ReplyKind::PreviewData)) {
    // Preview blocks never touch the model: straight into the receiver's ring.
    std::lock_guard lock(previewMutex_);
    if (preview_) preview_->PushPreviewBlock(view.arg, view.payload.data(), view.payload.size());
    return;
  }
  Reply reply;
  reply.kind = kind;
  reply.payload.assign(view.payload.begin(), view.payload.end());
  reply.arg = view.arg;
  reply.source = view.source;
  reply.text.assign(view.text);
  reply.values = view.values;
  scheduler_.Post([this, r = std::move(reply)]() mutable { Enqueue(std::move(r)); });
}

void ReplyDispatcher::Enqueue(Reply reply) {
  queue_.push_back(std::move(reply));
  Pump();
}

void ReplyDispatcher::Pump() {
  while (!waiting_ && !queue_.empty()) {
    Reply reply = std::move(queue_.front());
    queue_.pop_front();
    if (reply.kind < 0 || reply.kind >= kReplyKindCount ||
        reply.payload.size() < kMinPayload[reply.kind]) {
      ++dropped_;
      continue;
    }
    Handle(reply);
  }
}

void ReplyDispatcher::Send(CommandType type, std::initializer_list<uint8_t> args) {
  encoder_.EncodeAndSend(type, args);
}

void ReplyDispatcher::NoteReply(uint8_t address) {
  model_.ReplyArrived = 1;
  model_.ReplyAddress = address;
  sink_.Notify(ReplyKind::Ack, 0);
}

void ReplyDispatcher::Finish(int kind, int arg, uint8_t source) {
  if (kind != kNoNotify) sink_.Notify(static_cast<ReplyKind>(kind), arg);
  NoteReply(source);
}

void ReplyDispatcher::RunSteps(std::shared_ptr<std::vector<Step>> steps, std::size_t from) {
  for (std::size_t i = from; i < steps->size(); ++i) {
    Step& step = (*steps)[i];
    if (step.delayMs > 0) {
      const int delay = step.delayMs;
      step.delayMs = 0;
      waiting_ = true;
      scheduler_.PostDelayed(delay, [this, steps, i] { RunSteps(steps, i); });
      return;
    }
    step.run();
  }
  if (waiting_) {
    waiting_ = false;
    Pump();
  }
}

void ReplyDispatcher::Handle(const Reply& reply) {
  const std::vector<uint8_t>& p = reply.payload;
  DeviceModel& m = model_;
  DeviceStatusRecord& rec = m.rec;
  const int kind = reply.kind;
  const uint8_t src = reply.source;
  // Kinds 8, 10 and 11 carry a window index the model must have.
  const bool windowArgOk = reply.arg >= 0 && reply.arg < kWindowCount;
  const int w = reply.arg;

  // A reply naming a window or slot the model does not have is dropped whole.
  const auto Drop = [this] { ++dropped_; };

  switch (static_cast<ReplyKind>(kind)) {
    case ReplyKind::SearchStatusReply:
      m.SearchStatus = p[0];
      m.ReplyArrived = p[0];
      m.ReplyAddress = src;
      sink_.Notify(static_cast<ReplyKind>(kind), 0);
      return;
    case ReplyKind::DeviceFlagReply:
      m.DeviceFlagKind1 = p[0] != 0 ? 1 : 0;
      sink_.Notify(static_cast<ReplyKind>(kind), 0);
      return;
    case ReplyKind::FullStateReply:
      HandleFullState(reply);
      return;
    case ReplyKind::TestPatternInfoReply:
      for (int i = 0; i < 3; ++i) m.TestPatternInfo[i] = Le16(&p[2 * i]);
      break;
    case ReplyKind::InputTimingReply:
      HandleInputTiming(reply);
      return;
    case ReplyKind::VgaAdjustReply:
      m.Vga.VgaTarget = p[0];
      m.Vga.VgaClock = Le32(&p[4]);
      m.Vga.VgaPhase = Le32(&p[8]);
      m.Vga.VgaHPos = p[12];
      m.Vga.VgaVPos = p[13];
      for (int i = 0; i < 6; ++i) m.Vga.VgaAdc[i] = Le16(&p[14 + 2 * i]);
      break;
    case ReplyKind::EdidReply:
      for (EdidInfo& e : rec.Edid) {
        if (e.EdidInput == p[0]) {
          const uint8_t input = e.EdidInput;
          CopyInto(e, p);
          e.EdidInput = input;
          break;
        }
      }
      break;
    case ReplyKind::TaskReply:
      std::memcpy(RecordBytes(rec) + offsetof(DeviceStatusRecord, TaskStatus), p.data(), 124);
      break;
    case ReplyKind::PictureReply: {
      if (!windowArgOk) return Drop();
      rec.PicMode = Le32(&p[0]);
      rec.BrightLevel = Le32(&p[4]);
      CopyInto(rec.Gamma, p, 8);
      CopyInto(rec.Picture[m.PictureRecordOf(w)], p, 12);
      break;
    }
    case ReplyKind::OutputNotice:
      break;
    case ReplyKind::WindowGeometryReply: {
      if (!windowArgOk) return Drop();
      ChnlData& ch = rec.Chnl[w];
      ch.HPos = Le32(&p[0]);
      ch.VPos = Le32(&p[4]);
      ch.HAct = Le32(&p[8]);
      ch.VAct = Le32(&p[12]);
      ch.ChnlRotation = Le32(&p[16]);
      m.LastWindowIndex = w;
      Finish(kind, w, src);
      return;
    }
    case ReplyKind::CropReply: {
      if (!windowArgOk) return Drop();
      CopyInto(rec.Crop[m.PictureRecordOf(w)], p);
      break;
    }
    case ReplyKind::MosaicReply:
      std::memcpy(RecordBytes(rec) + offsetof(DeviceStatusRecord, MosaicMode), p.data(), 108);
      Finish(kind, reply.arg, src);
      return;
    case ReplyKind::ClockReply:
      std::memcpy(m.DeviceClock.data(), p.data(), m.DeviceClock.size());
      break;
    case ReplyKind::WindowSourcesReply: {
      // The count comes from the wire: never more windows than the model has
      // or than the payload carries.
      const std::size_t n = std::min<std::size_t>(
          {static_cast<std::size_t>(std::max(reply.arg, 0)), kWindowCount, p.size() / 3});
      for (std::size_t k = 0; k < n; ++k) {
        rec.Chnl[k].ChnlOnOff = p[3 * k];
        rec.Chnl[k].ChnlAlpha = p[3 * k + 1];
        rec.Chnl[k].ChnlInput = p[3 * k + 2];
      }
      break;
    }
    case ReplyKind::LogoReply:
      std::memcpy(RecordBytes(rec) + offsetof(DeviceStatusRecord, LogoUsage), p.data(), 42);
      break;
    case ReplyKind::KeyerReply:
      if (p[0] == 3)
        CopyInto(rec.Keyer[0], p);
      else if (p[0] == 1)
        CopyInto(rec.Keyer[1], p);
      break;
    case ReplyKind::PresetFlagsReply:
      std::memcpy(m.PresetValid.data(), p.data(), m.PresetValid.size());
      sink_.CloseWaitingDialog();
      break;
    case ReplyKind::LoopOutIpReply:
      rec.LoopOutIp = p[0];
      break;
    case ReplyKind::MiscInfoReply:
      std::memcpy(m.MiscInfo.data(), p.data(), m.MiscInfo.size());
      break;
    case ReplyKind::PvwModeReply:
      std::memcpy(RecordBytes(rec) + offsetof(DeviceStatusRecord, PvwMode), p.data(), 16);
      break;
    case ReplyKind::DpModeReply:
      if (p[0] < 2) {
        rec.DpMode[p[0]] = p[1];
        m.ApplyDpModes();
      }
      break;
    case ReplyKind::InputStateReply:
      // Another processor's inputs are not the target's: ignored entirely.
      if (src != m.TargetAddress) return;
      std::memcpy(rec.InputState, p.data(), kInputSlotCount);
      break;
    case ReplyKind::Ack:
      NoteReply(src);
      return;
    case ReplyKind::DeviceEvent:
      HandleDeviceEvent(reply);
      return;
    case ReplyKind::CaptionSlotReply: {
      const uint8_t n = p[14];
      if (n >= kCaptionSlotCount) return Drop();
      std::memcpy(m.CaptionSlot[n].data(), p.data(), 32);
      Finish(kind, n, src);
      return;
    }
    case ReplyKind::PreviewData:
      return;  // handled on the link's thread
    case ReplyKind::HostFoundReply:
      m.HostText = reply.text;
      m.HostInfo = reply.values.value_or(std::array<uint32_t, 2>{0, 0});
      m.HostName.assign(p.begin(), p.end());
      sink_.CloseWaitingDialog();
      sink_.Notify(static_cast<ReplyKind>(kind), 0);
      return;
    case ReplyKind::EncoderStatusReply:
      std::memcpy(m.EncoderStatus.data(), p.data(), m.EncoderStatus.size());
      if (p[0] == 2)
        Send(CommandType::QueryEncoderStatus, {0});
      else if (p[0] == 0)
        Send(CommandType::QueryEncoderStatus, {1});
      break;
    case ReplyKind::CompositeBoardReply:
      std::memcpy(RecordBytes(rec) + offsetof(DeviceStatusRecord, CmpBoardExist), p.data(), 44);
      m.ApplyCompositeBoard();
      Send(CommandType::QueryEdid, {5});
      Send(CommandType::Request57);
      break;
    case ReplyKind::FeatherReply:
      m.FeatherOnOff = Le32(&p[0]);
      for (int n = 0; n < kWindowCount; ++n) {
        m.FeatherSharp[n] = Le32(&p[4 + 4 * n]);
        m.FeatherLevel[n] = Le32(&p[20 + 4 * n]);
      }
      break;
    case ReplyKind::OutputFlagReply:
      rec.OutputFlag31 = p[0];
      break;
  }
  Finish(kind, 0, src);
}

void ReplyDispatcher::ApplyRecord(const DeviceStatusRecord& record) {
  model_.rec = record;
  model_.RelabelInputsFromRecord();
  const DeviceStatusRecord& rec = model_.rec;
  for (int i = 0; i < kInputSlotCount; ++i) {
    if (rec.InputSrc[i] == 3) Send(CommandType::QueryVgaAdjust, {static_cast<uint8_t>(i)});
    if (rec.InputState[i] != 0 && model_.LoadingAll == 0) {
      Send(CommandType::QueryInputTiming, {static_cast<uint8_t>(i)});
    }
  }
  if (model_.LoadingAll != 0) {
    model_.ApplyCompositeBoard();
    model_.FeatherOnOff = 0;
  }
  model_.LoadingAll = 0;
  model_.ApplyDpModes();
}

void ReplyDispatcher::ApplyProjectRecord(const DeviceStatusRecord& record) {
  model_.LoadingAll = 1;
  ApplyRecord(record);
  sink_.Notify(ReplyKind::FullStateReply, 0);
}

void ReplyDispatcher::HandleFullState(const Reply& reply) {
  DeviceStatusRecord record;
  std::memcpy(&record, reply.payload.data(), kDeviceRecordSize);
  ApplyRecord(record);
  sink_.Notify(ReplyKind::FullStateReply, 0);
  const uint8_t src = reply.source;
  auto steps = std::make_shared<std::vector<Step>>(std::vector<Step>{
      {200, [this] { Send(CommandType::CaptionQuery, {0}); }},
      {0, [this] { Send(CommandType::QueryEncoderStatus, {2}); }},
      {0, [this] { Send(CommandType::QueryCompositeBoard); }},
      {0, [this] { Send(CommandType::Request62); }},
      {0, [this] { Send(CommandType::Request60); }},
      {0, [this] { Send(CommandType::Request73); }},
      {0, [this] { Send(CommandType::Request68); }},
      {0, [this, src] { NoteReply(src); }},
  });
  RunSteps(std::move(steps), 0);
}

void ReplyDispatcher::HandleInputTiming(const Reply& reply) {
  const std::vector<uint8_t>& p = reply.payload;
  const int s = p[0];
  if (s >= kInputSlotCount) return;  // no such slot: ignored entirely
  DeviceModel& m = model_;
  DeviceStatusRecord& rec = m.rec;
  CopyInto(rec.InputReso[s], p);
  m.LastTimingSlot = s;
  const uint16_t hAct = rec.InputReso[s].HAct;
  const uint16_t vAct = rec.InputReso[s].VAct;

  bool touched[kSourceGroupCount] = {};
  const auto setGroup = [&](int group, uint16_t width) {
    for (int w = 0; w < kWindowCount; ++w) {
      CropSettings& c = rec.Crop[w + kWindowCount * group];
      c.HTotal = width;
      c.VTotal = vAct;
    }
    touched[group] = true;
  };
  setGroup(s, hAct);
  const uint16_t half = hAct / 2;
  if (s == 4 && rec.DpMode[0] == 1) {
    setGroup(4, half);
    setGroup(8, half);
  }
  if (s == 6 && rec.DpMode[1] == 1) {
    const bool board = m.CompositeBoardActive();
    const int32_t card = rec.InputSrc[6];
    if (card == 8 || (card == 6 && board && rec.CmpBoardActNoSrc == 1)) {
      setGroup(6, half);
      setGroup(9, half);
    } else if (card == 6 && board && rec.CmpBoardActNoSrc == 0) {
      setGroup(10, half);
      setGroup(11, half);
    }
  }
  for (int g = 0; g < kSourceGroupCount; ++g) {
    if (!touched[g]) continue;
    for (int w = 0; w < kWindowCount; ++w) {
      CropSettings& c = rec.Crop[w + kWindowCount * g];
      if (c.HPos + c.HAct > c.HTotal || c.VPos + c.VAct > c.VTotal) {
        c.HPos = 0;
        c.VPos = 0;
        c.HAct = c.HTotal;
        c.VAct = c.VTotal;
      }
    }
  }
  Finish(reply.kind, 0, reply.source);
}

void ReplyDispatcher::HandleDeviceEvent(const Reply& reply) {
  uint8_t e[8] = {};
  std::memcpy(e, reply.payload.data(), std::min<std::size_t>(reply.payload.size(), sizeof e));
  DeviceModel& m = model_;
  const uint8_t src = reply.source;
  const int kind = reply.kind;
  const auto close = [this] { sink_.CloseWaitingDialog(); };
  const auto queryWindows = [this] {
    for (uint8_t w = 0; w < kWindowCount; ++w) Send(CommandType::QueryWindowGeometry, {w});
  };
  auto steps = std::make_shared<std::vector<Step>>();
  const auto now = [&](std::function<void()> fn) { steps->push_back({0, std::move(fn)}); };

  switch (e[0]) {
    case 0:
    case 1:
      m.EventCode = e[0];
      m.EventArg1 = e[1];
      m.EventArg2 = e[2];
      close();
      sink_.Notify(static_cast<ReplyKind>(kind), 0);
      break;
    case 2:
    case 4:
      close();
      break;
    case 3:
      Send(CommandType::Request63);
      steps->push_back({40, queryWindows});
      now([this] { Send(CommandType::Request60); });
      now(close);
      break;
    case 5:
      if (e[1] == 1) {
        Send(CommandType::Request65);
        Send(CommandType::QueryCompositeBoard);
        Send(CommandType::QueryInputTiming, {0xFF});
        close();
      }
      break;
    case 6:
      if (e[1] == 0) {
        Send(CommandType::Request63);
        Send(CommandType::Request57);
        queryWindows();
        Send(CommandType::Request60);
        Send(CommandType::Request58);
      } else {
        Send(CommandType::QueryFullState);
      }
      break;
    case 7:
      m.EventCode = 7;
      m.EventValue16 = static_cast<uint16_t>(e[1] + 256 * e[2]);
      m.EventValue8 = e[3];
      m.EventValue32 = static_cast<uint32_t>(Le32(&e[4]));
      sink_.Notify(static_cast<ReplyKind>(kind), 0);
      break;
    case 8:
    case 10:
      close();
      sink_.Notify(static_cast<ReplyKind>(kind), e[0]);
      break;
    case 9:
    case 12:
      m.EventCode = e[0];
      m.EventArg1 = e[1];
      sink_.Notify(static_cast<ReplyKind>(kind), 0);
      break;
    case 11:
      if (e[1] == 0) {
        Send(CommandType::Request57);
        for (uint8_t w = 0; w < kWindowCount; ++w) {
          steps->push_back({0, [this, w] {
                              Send(CommandType::QueryWindowGeometry, {w});
                              Send(CommandType::QueryMosaicCell, {w});
                            }});
          steps->push_back({100, [] {}});
        }
        now(close);
      } else {
        Send(CommandType::QueryFullState);
      }
      break;
    default:
      break;
  }
  now([this, src] { NoteReply(src); });
  RunSteps(std::move(steps), 0);
}

}  // namespace qv
