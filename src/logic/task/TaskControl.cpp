#include "logic/task/TaskControl.h"

#include <algorithm>

namespace qv {

namespace {

constexpr uint8_t kSetClock = 0, kSetTask = 1, kSetSchedule = 2;
constexpr uint8_t kReadClock = 0;

bool ValidIndex(int t) {
  return t >= 0 && t < kTaskCount;
}

}  // namespace

TaskControl::Shown TaskControl::Show(int t) {
  if (!ValidIndex(t)) return {};
  TaskEntry& task = model().rec.Task[t];
  task.Month = static_cast<uint8_t>(std::clamp<int>(task.Month, 1, 12));
  const int days = CivilTime::DaysInMonth(2000 + task.Year, task.Month);
  task.Day = static_cast<uint8_t>(std::clamp<int>(task.Day, 1, days));
  task.Hour = std::min<uint8_t>(task.Hour, 23);
  task.Min = std::min<uint8_t>(task.Min, 59);
  task.Sec = std::min<uint8_t>(task.Sec, 59);
  const bool exists = task.PresetId < kPresetCount && model().PresetValid[task.PresetId] != 0;
  if (!exists) {
    const int last = LastValidPreset();
    if (last >= 0) {
      task.PresetId = static_cast<uint8_t>(last);
    } else if (task.PresetId >= kPresetCount) {
      task.PresetId = 0;  // the entry the list shows for a preset it has not
    }
  }
  const int option = task.TaskOption >= 0 && task.TaskOption <= 2 ? task.TaskOption : -1;
  return {.when = {.year = 2000 + task.Year,
                   .month = task.Month,
                   .day = task.Day,
                   .hour = task.Hour,
                   .minute = task.Min,
                   .second = task.Sec},
          .preset = task.PresetId,
          .option = option};
}

bool TaskControl::InUse(int t) const {
  return ValidIndex(t) && model().rec.Task[t].TaskOption != 0;
}

int TaskControl::LastValidPreset() const {
  for (int n = kPresetCount - 1; n >= 0; --n) {
    if (model().PresetValid[n] != 0) return n;
  }
  return -1;
}

void TaskControl::Confirm(int t, const CivilTime& when, std::optional<Option> option, int preset) {
  if (!ValidIndex(t)) return;
  TaskEntry& task = model().rec.Task[t];
  task.Year = YearByte(when.year);
  task.Month = static_cast<uint8_t>(when.month);
  task.Day = static_cast<uint8_t>(when.day);
  task.Hour = static_cast<uint8_t>(when.hour);
  task.Min = static_cast<uint8_t>(when.minute);
  task.Sec = static_cast<uint8_t>(when.second);
  if (option) task.TaskOption = static_cast<int32_t>(*option);
  task.PresetId = static_cast<uint8_t>(std::clamp(preset, 0, kPresetCount - 1));
  encoder_.EncodeAndSend(CommandType::SetTaskTime, {static_cast<uint8_t>(t), kSetTask});
}

void TaskControl::SetSchedule(bool on) {
  model().rec.TaskStatus = on ? 1 : 0;
  encoder_.EncodeAndSend(CommandType::SetTaskTime, {0, kSetSchedule});
}

void TaskControl::Sync(const CivilTime& local) {
  model().DeviceClock = {YearByte(local.year),
                         static_cast<uint8_t>(local.month),
                         static_cast<uint8_t>(local.day),
                         static_cast<uint8_t>(local.hour),
                         static_cast<uint8_t>(local.minute),
                         static_cast<uint8_t>(local.second)};
  encoder_.EncodeAndSend(CommandType::SetTaskTime, {0, kSetClock});
  encoder_.EncodeAndSend(CommandType::TaskCommand, {kReadClock});
}

}  // namespace qv
