#include "logic/edid/EdidControl.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int kInputCount = 8;
constexpr int kInputWithoutEdid = 5;
constexpr int32_t kSdiCard = 7, kUsbDiskCard = 9, kHdmiCard = 6, kDpCard = 8;
constexpr uint8_t kFactory = 0, kStandardBlanking = 1, kOwnBlanking = 2;

bool Listed(const DeviceModel& m, int input) {
  if (input == kInputWithoutEdid) return false;
  const int32_t card = m.rec.InputSrc[input];
  if (card == kSdiCard || card == kUsbDiskCard) return false;
  if (input < 6) return true;
  const bool split = (card == kDpCard || card == kHdmiCard) && m.rec.DpMode[1] == 1;
  return m.InputLabels[static_cast<std::size_t>(input)].usable || split;
}

}  // namespace

std::vector<EdidControl::Entry> EdidControl::Inputs(const DeviceModel& model) {
  std::vector<Entry> entries;
  for (int input = 0; input < kInputCount; ++input) {
    if (Listed(model, input)) entries.push_back({input, model.InputName(input)});
  }
  return entries;
}

std::optional<EdidTimingLimits::Timing> EdidControl::Shown(const DeviceModel& model, int input) {
  const auto* it = std::find_if(std::begin(model.rec.Edid), std::end(model.rec.Edid),
                                [&](const EdidInfo& e) { return e.EdidInput == input; });
  if (it == std::end(model.rec.Edid)) return std::nullopt;
  return EdidTimingLimits::Timing{.hActive = it->HAct,
                                  .vActive = it->VAct,
                                  .fps = it->Fps / 100,
                                  .hBlank = it->HBlank,
                                  .vBlank = it->VBlank};
}

int64_t EdidControl::ClockLimit(const DeviceModel& model, int input) {
  const int32_t card = input >= 0 && input < kInputSlotCount ? model.rec.InputSrc[input] : 0;
  return EdidTimingLimits::ClockLimit(input, card);
}

bool EdidControl::Apply(int input, const EdidTimingLimits::Timing& fields, bool more) {
  const int j = input == kInputWithoutEdid ? -1 : DeviceModel::EdidRecordOf(input);
  if (j < 0) return false;
  EdidInfo& e = encoder_.model().rec.Edid[j];
  // The record is the input's whatever the wire put in it.
  e.EdidInput = static_cast<uint8_t>(input);
  e.HAct = static_cast<uint16_t>(fields.hActive);
  e.VAct = static_cast<uint16_t>(fields.vActive);
  e.Fps = static_cast<uint16_t>(fields.fps * 100);
  e.HBlank = static_cast<uint16_t>(fields.hBlank);
  e.VBlank = static_cast<uint16_t>(fields.vBlank);
  encoder_.EncodeAndSend(CommandType::SetEdid,
                         {static_cast<uint8_t>(input), more ? kOwnBlanking : kStandardBlanking});
  return true;
}

bool EdidControl::Restore(int input) {
  if (input == kInputWithoutEdid || DeviceModel::EdidRecordOf(input) < 0) return false;
  const auto i = static_cast<uint8_t>(input);
  encoder_.EncodeAndSend(CommandType::SetEdid, {i, kFactory});
  encoder_.EncodeAndSend(CommandType::QueryEdid, {i});
  return true;
}

}  // namespace qv
