#pragma once
// The test pattern page's rules. The processor covers its output with one of
// its built-in patterns (1..111, 0 for none) and reads back the colour of one
// output pixel (the pixel grab). The page has two switches: the pattern's,
// which runs the pattern its slider shows, and the grab's. Turning the grab
// on shows the pattern switch off but leaves the pattern running (the grab
// reads the pattern's pixels); leaving the page stops it.

#include "link/CommandEncoder.h"

namespace qv {

class TestPatternControl {
 public:
  static constexpr int kFirstPattern = 1;
  static constexpr int kLastPattern = 111;
  enum class Axis { Horizontal, Vertical };

  explicit TestPatternControl(CommandEncoder& encoder) : encoder_(encoder) {}

  // The pattern switch turned to `on`: the pattern `number` runs, or none.
  // The grab is switched off with it. Returns the pattern now running.
  int Switch(bool on, int number);
  // A pattern number chosen while the switch is on (the box, the slider,
  // "<<" and ">>" with `number` one off the shown one): the number held to
  // 1..111 runs, and is returned.
  int Choose(int number);
  // The grab switch turned to `on`; turning it on shows the pattern switch off.
  void SwitchGrab(bool on);
  // A grab position typed: held to the output (HReso, VReso) and sent.
  // Returns the position kept.
  int SetGrabPosition(Axis axis, int value);
  int grabPosition(Axis axis) const;
  // The page is left (or a preset is loaded): a running pattern stops.
  // False when none ran.
  bool Stop();

  // The pattern running (0 for none): what the console calls the processor's
  // output covered.
  int pattern() const { return model().TestPattern; }
  bool switchOn() const { return switchOn_; }
  bool grabOn() const { return grabOn_; }

 private:
  DeviceModel& model() const { return encoder_.model(); }
  void Run(int number);
  void SendGrab(bool on);

  CommandEncoder& encoder_;
  bool switchOn_ = false;
  bool grabOn_ = false;
};

}  // namespace qv
