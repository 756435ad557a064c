#pragma once
// What the output page does to the model and the processor, apart from the
// fields that show it: choosing a resolution, applying the customised timing,
// and the geometry and rotation of the four windows. The page shows what
// these leave in the model.

#include "link/CommandEncoder.h"
#include "logic/output/OutputTimingLimits.h"

namespace qv {

class OutputControl {
 public:
  // The last entry of the resolution table: the timing the operator enters.
  static constexpr int kCustomised = 18;
  static constexpr int kRotationCount = 8;

  explicit OutputControl(CommandEncoder& encoder) : encoder_(encoder) {}

  // The entry the resolution list shows for the processor's ResoIndex: a
  // number outside the table (from the wire) counts as the customised entry,
  // since what the processor runs is then none of the fixed ones.
  int ShownResolution() const;
  // The width, height and rate of entry `i`; the customised entry for an
  // index outside the table.
  OutputTimingLimits::Active EntryOf(int i) const;

  // Choosing fixed entry `i` makes it the output's timing; with `send` the
  // processor gets it and is asked again for what depends on the output size
  // (the windows, the switcher's layout, the logo, the captions). The
  // customised entry changes nothing until Apply: choosing it only unlocks
  // its fields. Returns false for an index outside the table.
  bool SelectResolution(int i, bool send);
  // The processor runs the customised timing: entry 18 keeps what it reports.
  void KeepCustomisedEntry();

  // Apply: the customised timing, with the (possibly hidden) timing section
  // and the two polarities, becomes the output's.
  struct Customised {
    OutputTimingLimits::Active active;
    OutputTimingLimits::Timing timing;
    int hPol = 0, vPol = 0;
    bool more = false;  // the timing section is open
  };
  void Apply(const Customised& customised);

  // The window fields of window k. A value is limited to the output size the
  // page's H and V Active fields show (a window never reaches outside it),
  // written and sent; returns the value written.
  enum class WindowField { HStart, VStart, Width, Height };
  int SetWindowField(int k, WindowField field, int value, int hActive, int vActive);
  // "Full Screen", "1/2" and "1/4": the window takes the whole output, its
  // left or right half, or a quarter, and is sent. Nothing happens before
  // the output's size is known.
  enum class WindowSize { Full, Half, Quarter };
  bool SizeWindow(int k, WindowSize size);
  // Sends window k with `rotation` (0..7); false when it has it already.
  bool SetRotation(int k, int rotation);

 private:
  DeviceModel& model() const { return encoder_.model(); }
  bool ValidWindow(int k) const { return k >= 0 && k < kWindowCount; }
  void SendTiming();
  void SendGeometry(int k);

  CommandEncoder& encoder_;
};

}  // namespace qv
