#include "logic/shell/PresetControl.h"

namespace qv {

namespace {

constexpr uint8_t kTemplateOperation = 0;
constexpr uint8_t kLoadPreset = 1;
constexpr uint8_t kSavePreset = 2;

}  // namespace

PresetControl::Outcome PresetControl::Load() {
  if (current_ < 0) return Outcome::NothingChosen;
  DeviceModel& model = encoder_.model();
  const auto number = static_cast<uint8_t>(current_);
  if (list_ == List::Presets) {
    if (!model.PresetValid[current_]) return Outcome::Invalid;
    encoder_.EncodeAndSend(CommandType::PresetCommand, {kLoadPreset, number});
    const int32_t mode = model.rec.PvwMode;
    if (mode >= 0 && mode < static_cast<int32_t>(lastLoaded_.size())) lastLoaded_[mode] = current_;
  } else {
    encoder_.EncodeAndSend(CommandType::PresetCommand, {kTemplateOperation, number});
  }
  encoder_.EncodeAndSend(CommandType::QueryFullState);
  return Outcome::Waiting;
}

PresetControl::Outcome PresetControl::Save() {
  if (current_ < 0) return Outcome::NothingChosen;
  const uint8_t operation = list_ == List::Presets ? kSavePreset : kTemplateOperation;
  encoder_.EncodeAndSend(CommandType::PresetCommand, {operation, static_cast<uint8_t>(current_)});
  encoder_.model().PresetValid[current_] = 1;
  return Outcome::Saved;
}

int PresetControl::LastLoaded(int pvwMode) const {
  return pvwMode >= 0 && pvwMode < static_cast<int>(lastLoaded_.size()) ? lastLoaded_[pvwMode] : -1;
}

}  // namespace qv
