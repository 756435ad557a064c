#include "logic/testpattern/TestPatternControl.h"

#include <algorithm>

namespace qv {

int TestPatternControl::Switch(bool on, int number) {
  switchOn_ = on;
  Run(on ? std::clamp(number, kFirstPattern, kLastPattern) : 0);
  // The processor is told too, so that the switch never shows off while it grabs.
  if (grabOn_) SendGrab(false);
  return pattern();
}

int TestPatternControl::Choose(int number) {
  Run(std::clamp(number, kFirstPattern, kLastPattern));
  return pattern();
}

void TestPatternControl::SwitchGrab(bool on) {
  SendGrab(on);
  if (on) switchOn_ = false;
}

int TestPatternControl::SetGrabPosition(Axis axis, int value) {
  const int size = axis == Axis::Horizontal ? model().rec.HReso : model().rec.VReso;
  // Before the output's size is known only the field's range holds it.
  const int kept = std::max(0, size > 0 ? std::min(value, size - 1) : value);
  const std::size_t at = axis == Axis::Horizontal ? 0 : 2;
  model().TestPatternParams[at] = static_cast<uint8_t>(kept);
  model().TestPatternParams[at + 1] = static_cast<uint8_t>(kept >> 8);
  SendGrab(true);
  return kept;
}

int TestPatternControl::grabPosition(Axis axis) const {
  const std::size_t at = axis == Axis::Horizontal ? 0 : 2;
  return model().TestPatternParams[at] | model().TestPatternParams[at + 1] << 8;
}

bool TestPatternControl::Stop() {
  switchOn_ = false;
  if (pattern() == 0) return false;
  Run(0);
  return true;
}

void TestPatternControl::Run(int number) {
  model().TestPattern = static_cast<uint8_t>(number);
  encoder_.EncodeAndSend(CommandType::SetTestPattern);
}

void TestPatternControl::SendGrab(bool on) {
  grabOn_ = on;
  encoder_.EncodeAndSend(CommandType::SetTestPatternParams, {static_cast<uint8_t>(on ? 1 : 0)});
}

}  // namespace qv
