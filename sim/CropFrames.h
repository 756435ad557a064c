#pragma once
#include "link/DeviceStatusRecord.h"

namespace qv::sim {

// Keeps the crop records' frame size (HTotal, VTotal) equal to the timing of
// the input each source group shows, the way the processor reports it: a
// split DisplayPort input gives each half group half the width. A crop that no
// longer fits its frame is reset to the whole frame.
class CropFrames {
 public:
  static void Apply(DeviceStatusRecord& rec, int slot);
  static void ApplyAll(DeviceStatusRecord& rec) {
    for (int s = 0; s < kInputSlotCount; ++s) Apply(rec, s);
  }
};

}  // namespace qv::sim
