#pragma once
// The simulated processor's behaviour, without any transport: commands,
// records and caption blocks go in, the replies the processor sends come out
// in the order it sends them. Not thread-safe: the server loop that owns it
// feeds it from one thread at a time.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "PreviewSettings.h"
#include "SimCaptions.h"
#include "SimClock.h"
#include "SimReply.h"
#include "VgaSettings.h"
#include "link/CommLink.h"
#include "link/DeviceModel.h"
#include "link/DeviceStatusRecord.h"

namespace qv::sim {

struct SimDeviceOptions {
  // A composite input board in expansion slot 1 (three switchable sources).
  bool compositeBoard = false;
  // Whether the preview is streamed, as announced by the device flag on connect.
  bool previewStream = true;
  // Where the console uploads the encoder package (encoder status type 0).
  std::array<uint8_t, 4> encoderIp{127, 0, 0, 1};
  // The host clock; tests pass a fixed one.
  std::function<std::chrono::system_clock::time_point()> now = [] {
    return std::chrono::system_clock::now();
  };
  // Told when scheduled task `task` recalls preset `preset` (for the trace).
  std::function<void(int task, int preset)> taskFired;
};

class SimDevice {
 public:
  using Replies = std::vector<SimReply>;
  using TimePoint = std::chrono::system_clock::time_point;

  // Device event codes the processor sends (reply kind 24).
  enum class Event : uint8_t {
    EdidApplied = 0,   // p1 input, p2 1 ok / 0 failed
    VgaAdjusted = 1,   // p1 1 ok / 0 failed
    Done = 2,          // an operation that the console waits for has finished
    Refused = 4,       // p1 command type, p2 the index or value refused
    StateChanged = 6,  // p1 1: read the whole state again
    BlockAck = 7,      // p1-2 length, p3 1 taken / 0 refused, p4-7 offset
    CaptionSaved = 8,
    CaptionsReset = 10,
    MosaicChanged = 11,  // p1 0: read windows and mosaic cells again
    CaptionStart = 12,   // p1 0 accepted / 1 refused
  };

  explicit SimDevice(SimDeviceOptions options = {});

  // Greeting when a console connects: preview capability and input signals.
  Replies OnConnect();
  // One command; `payload` is the 32 bytes as sent (0x55 where the type carries nothing).
  Replies OnCommand(int type, const Payload& payload);
  // WriteFullState: the console's whole record.
  Replies OnRecord(const DeviceStatusRecord& record);
  // One caption image block at byte offset `block` of the pending upload.
  Replies OnBlock(int block, std::span<const uint8_t> data);
  // Runs the clock to `now`: scheduled tasks that fall due recall their presets.
  Replies Tick(TimePoint now);

  // Fault switches.
  void SetWithholdAcks(bool on) { withholdAcks_ = on; }
  void SetWithholdBlockAcks(bool on) { withholdBlockAcks_ = on; }

  const DeviceStatusRecord& record() const { return rec_; }
  // Replaces the whole state record, for example with one read from a project file.
  void SetRecord(const DeviceStatusRecord& record) { rec_ = record; }
  const PreviewSettings& preview() const { return preview_; }
  bool frozen() const { return frozen_; }
  int testPattern() const { return testPattern_; }
  bool presetValid(int n) const { return n >= 0 && n < kPresetCount && presets_[n].has_value(); }
  const SimCaptions& captions() const { return captions_; }
  const VgaSettings& vga(int slot) const { return vga_.at(slot); }
  int featherOnOff() const { return featherOnOff_; }

 private:
  struct Feather {
    int32_t sharp = 1;
    int32_t level = 0;
  };

  // Command handlers: each appends its replies.
  void Preset(const Payload& p, Replies& out);
  void OutputTiming(const Payload& p, Replies& out);
  void Picture(const Payload& p, Replies& out);
  void WindowGeometry(const Payload& p, Replies& out);
  void Crop(const Payload& p, Replies& out);
  void MosaicCell(const Payload& p, Replies& out);
  void WindowInput(const Payload& p, Replies& out);
  void WindowState(const Payload& p, Replies& out);
  void Logo(const Payload& p, Replies& out);
  void SetEdid(const Payload& p, Replies& out);
  void Keyer(const Payload& p, Replies& out);
  void TestPatternParams(const Payload& p, Replies& out);
  void VgaAdjust(const Payload& p, Replies& out);
  void PvwMode(const Payload& p, Replies& out);
  void TaskTime(const Payload& p, Replies& out);
  void TaskQuery(const Payload& p, Replies& out);
  void Take(Replies& out);
  void SyncMode(const Payload& p, Replies& out);
  void CaptionA(const Payload& p, Replies& out);
  void CaptionB(const Payload& p, Replies& out);
  void EncoderSettings(const Payload& p, Replies& out);
  void CompositeBoard(const Payload& p, Replies& out);
  void SetFeather(const Payload& p, Replies& out);
  void Request(int type, Replies& out);
  void Reset(Replies& out);

  // Replies carrying state.
  SimReply FullState() const;
  SimReply InputTimingReply(int slot) const;
  SimReply VgaReply(int slot) const;
  SimReply EdidReply(int record) const;
  SimReply TaskReply() const;
  SimReply PictureReply(int window) const;
  SimReply WindowGeometryReply(int window) const;
  SimReply CropReply(int window) const;
  SimReply MosaicReply(int cell) const;
  SimReply ClockReply() const;
  SimReply WindowSourcesReply() const;
  SimReply LogoReply() const;
  SimReply KeyerReply(int channel) const;
  SimReply PresetFlagsReply() const;
  SimReply MiscInfoReply() const;
  SimReply PvwModeReply() const;
  SimReply DpModeReply(int dp) const;
  SimReply InputStateReply() const;
  SimReply CaptionSlotReply(int slot) const;
  SimReply EncoderStatusReply(int type) const;
  SimReply CompositeBoardReply() const;
  SimReply FeatherReply() const;
  // Window geometry of all four windows, their sources and the switcher state.
  void AddLayoutReplies(Replies& out) const;

  static SimReply EventReply(Event event, std::initializer_list<uint8_t> args = {});
  void Ack(Replies& out) const;
  static void Refuse(Replies& out, int type, int index);

  // The record with what belongs to the hardware (cards, signals, EDID, the
  // composite board, stored logos) and the schedule kept from the current one.
  DeviceStatusRecord KeepingHardware(const DeviceStatusRecord& incoming) const;
  void LoadPreset(int n);
  void ApplyTemplate(int n);
  void SwitchBoardSource(int32_t source);
  int PictureRecordOf(int window) const {
    return window + kWindowCount * DeviceModel::SourceGroupOf(rec_, window);
  }

  SimDeviceOptions options_;
  DeviceStatusRecord rec_;
  std::array<std::optional<DeviceStatusRecord>, kPresetCount> presets_;
  std::array<VgaSettings, kInputSlotCount> vga_;
  SimCaptions captions_;
  SimClock clock_;
  std::optional<int64_t> lastTick_;
  PreviewSettings preview_;
  int32_t featherOnOff_ = 0;
  std::array<Feather, kWindowCount> feather_{};
  bool frozen_ = false;
  int testPattern_ = 0;
  bool pixelGrab_ = false;
  bool withholdAcks_ = false;
  bool withholdBlockAcks_ = false;
};

}  // namespace qv::sim
