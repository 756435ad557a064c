#pragma once
// The time and tasks page's rules: the ten tasks of the processor's schedule
// (each loads a preset at a date and time, once or every day), the schedule's
// switch and the clock synchronisation. A task's values come from the wire:
// showing it corrects what no calendar has, and a preset that does not exist
// is never shown for it.

#include <cstdint>
#include <optional>

#include "link/CommandEncoder.h"
#include "logic/task/CivilTime.h"

namespace qv {

class TaskControl {
 public:
  enum class Option { NotUsed = 0, Once = 1, EveryDay = 2 };

  explicit TaskControl(CommandEncoder& encoder) : encoder_(encoder) {}

  // The processor counts years after 2000 in a byte.
  static uint8_t YearByte(int year) { return static_cast<uint8_t>((year + 48) % 256); }

  // What the page shows for task `t`, after the task's record in the model
  // was corrected: a month or day of 0 becomes 1, values beyond the calendar
  // and the clock the highest they may be (a day beyond its month the
  // month's last), and a preset that does not exist the last that does.
  struct Shown {
    CivilTime when;
    int preset = 0;
    // -1 for an option the processor reported that is none of the three.
    int option = 0;
  };
  Shown Show(int t);
  // Task `t` is in use (its option is not "Not Use").
  bool InUse(int t) const;
  // The last preset stored on the processor; -1 when there is none.
  int LastValidPreset() const;

  // Confirm: task `t` takes the date, time and preset, and the option when
  // one is chosen, and is sent.
  void Confirm(int t, const CivilTime& when, std::optional<Option> option, int preset);
  void SetSchedule(bool on);
  // "SYNC": the processor's clock is set to `local` and read back.
  void Sync(const CivilTime& local);

 private:
  DeviceModel& model() const { return encoder_.model(); }

  CommandEncoder& encoder_;
};

}  // namespace qv
