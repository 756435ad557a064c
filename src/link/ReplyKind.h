#pragma once
// Reply kinds the processor link delivers; the numbers are the processor's.

namespace qv {

enum class ReplyKind : int {
  SearchStatusReply = 0,
  DeviceFlagReply = 1,
  FullStateReply = 2,
  TestPatternInfoReply = 3,
  InputTimingReply = 4,
  VgaAdjustReply = 5,
  EdidReply = 6,
  TaskReply = 7,
  PictureReply = 8,
  OutputNotice = 9,
  WindowGeometryReply = 10,
  CropReply = 11,
  MosaicReply = 12,
  ClockReply = 13,
  WindowSourcesReply = 14,
  LogoReply = 15,
  KeyerReply = 16,
  PresetFlagsReply = 17,
  LoopOutIpReply = 18,
  MiscInfoReply = 19,
  PvwModeReply = 20,
  DpModeReply = 21,
  InputStateReply = 22,
  Ack = 23,
  DeviceEvent = 24,
  CaptionSlotReply = 25,
  PreviewData = 26,
  HostFoundReply = 27,
  EncoderStatusReply = 28,
  CompositeBoardReply = 29,
  FeatherReply = 30,
  OutputFlagReply = 31,
};

}  // namespace qv
