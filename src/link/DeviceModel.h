#pragma once
// The console's one mirror of the processor: the device record it exchanges
// whole, the state the processor reports in smaller replies, and the working
// values pages send. Written and read on the UI thread only: replies from the
// link's thread are handed over before they touch it (see ReplyDispatcher).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "DeviceStatusRecord.h"
#include "InputCode.h"
#include "InputLabel.h"
#include "ResoPreset.h"

namespace qv {

inline constexpr int kCaptionSlotCount = 4;
inline constexpr int kPresetCount = 10;
inline constexpr uint8_t kDefaultTargetAddress = 110;
inline constexpr uint8_t kBroadcastAddress = 255;

struct VgaAdjust {
  uint8_t VgaTarget = 0;
  int32_t VgaClock = 0;
  int32_t VgaPhase = 0;
  uint8_t VgaHPos = 0;
  uint8_t VgaVPos = 0;
  std::array<uint16_t, 6> VgaAdc{};
};

struct WindowRect {
  uint16_t x = 0, y = 0, width = 0, height = 0;
};

struct DeviceModel {
  DeviceModel();

  // Group 0..11 that selects the window's picture and crop records; codes the
  // processor may report beyond the twelve known inputs fall back to group 0.
  // The rule is the processor's own, so the simulated processor shares it.
  static int SourceGroupOf(const DeviceStatusRecord& rec, int window);
  int SourceGroupOf(int window) const { return SourceGroupOf(rec, window); }
  // Index of the picture/crop record for the window and its current input.
  int PictureRecordOf(int window) const { return window + kWindowCount * SourceGroupOf(window); }
  // EDID record of an input code (6 and 7 share the numbering after SDI-1); -1 when none.
  static int EdidRecordOf(int inputCode);
  // What the console calls input `code`: the operator's name, else its
  // built-in label, without surrounding blanks; empty for a code it has no
  // label for (the processor may report one).
  std::string InputName(int code) const;
  // The name of the input window `window` shows.
  std::string WindowInputName(int window) const;

  void ApplyDpModes();
  void ApplyCompositeBoard();
  // Usable flags and slot labels from the card types of a freshly read record.
  void RelabelInputsFromRecord();
  // Moves every window showing `from` to `to`.
  void MoveWindows(int from, int to);
  bool CompositeBoardActive() const { return rec.CmpBoardExist != 0; }

  // --- shared with the processor ---
  DeviceStatusRecord rec{};

  // --- link ---
  uint8_t TargetAddress = kDefaultTargetAddress;
  uint8_t NetworkMode = 1;
  int32_t SearchStatus = 0;
  int32_t ReplyArrived = 0;
  uint8_t ReplyAddress = 0;
  std::string HostText;
  std::array<uint32_t, 2> HostInfo{};
  std::string HostName;  // the name the processor gives itself in its search answer
  uint8_t LoadingAll = 0;

  // --- state from replies ---
  std::array<uint16_t, 3> TestPatternInfo{};
  std::array<uint8_t, 18> MiscInfo{};
  VgaAdjust Vga;
  std::array<uint8_t, 6> DeviceClock{};
  std::array<std::array<uint8_t, 32>, kCaptionSlotCount> CaptionSlot{};
  uint8_t EventCode = 0, EventArg1 = 0, EventArg2 = 0;
  uint32_t EventValue32 = 0;
  uint16_t EventValue16 = 0;
  uint8_t EventValue8 = 0;
  std::array<uint8_t, 10> EncoderStatus{};
  uint8_t DeviceFlagKind1 = 0;
  std::array<uint8_t, kPresetCount> PresetValid{};
  int32_t LastTimingSlot = 0;
  int32_t LastWindowIndex = 0;
  int32_t FeatherOnOff = 0;
  std::array<int32_t, kWindowCount> FeatherSharp{};
  std::array<int32_t, kWindowCount> FeatherLevel{};

  // --- working values pages send ---
  uint8_t MultiMachine = 0;
  uint8_t LogoSlotSel = 0;
  uint8_t CurrentWindow = 0;
  uint8_t LogoGeomDirty = 0;
  std::array<WindowRect, kWindowCount> WindowDefaultRect{};
  std::array<int32_t, kWindowCount> WindowPicByte{};
  int32_t PicFlagA = 0;
  int32_t PicFlagB = 1;
  uint8_t OutputAux = 0;
  std::array<int32_t, kWindowCount> WindowGeomOneShot{};
  uint8_t MosaicPageA = 5;
  int32_t MosaicPageB = 0;
  std::array<uint8_t, 4> TestPatternParams{};
  // Logo geometry used while LogoUsage is 0: x[4], y[4], width[4], height[4].
  std::array<uint16_t, 16> LogoAltGeom{};
  uint8_t LastPageArg = 0;
  uint8_t TestPattern = 0;

  // --- reference tables ---
  std::array<InputLabel, kInputCodeCount> InputLabels;
  std::vector<std::string> GenlockLabels;
  std::vector<std::string> SyncModeLabels;
  std::vector<ResoPreset> ResoPresets;
  std::vector<std::string> ColorTempLabels;
};

// The process-wide model, constructed on first use.
DeviceModel& Model();

}  // namespace qv
