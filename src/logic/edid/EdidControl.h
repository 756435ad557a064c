#pragma once
// The EDID page's rules: which inputs have an EDID the operator may set, the
// record each is shown from, and what Apply and "Restore" send. Inputs 0..4
// have records 0..4, inputs 6 and 7 records 5 and 6; input 5 has none.

#include <string>
#include <vector>

#include "link/CommandEncoder.h"
#include "logic/edid/EdidTimingLimits.h"

namespace qv {

class EdidControl {
 public:
  explicit EdidControl(CommandEncoder& encoder) : encoder_(encoder) {}

  struct Entry {
    int input = 0;
    std::string name;
    bool operator==(const Entry&) const = default;
  };
  // The inputs the list offers, in order: not input 5, no SDI input or USB
  // disk, and inputs 6 and 7 only when usable, or when their DisplayPort or
  // HDMI card is split (the second DpMode 1).
  static std::vector<Entry> Inputs(const DeviceModel& model);
  // The timing the record carrying input `input` holds, rate in whole hertz
  // (59.94 Hz shows 59); none when no record carries it.
  static std::optional<EdidTimingLimits::Timing> Shown(const DeviceModel& model, int input);
  // The clock limit of input `input`'s card.
  static int64_t ClockLimit(const DeviceModel& model, int input);

  // Apply: input `input`'s record takes the fields and is sent, with its
  // blanking (`more`) or with the processor's standard blanking. False for an
  // input without a record.
  bool Apply(int input, const EdidTimingLimits::Timing& fields, bool more);
  // "Restore": the factory EDID, read back.
  bool Restore(int input);

 private:
  CommandEncoder& encoder_;
};

}  // namespace qv
