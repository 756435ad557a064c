#pragma once
// The processor's two chroma keyers, one cutting a colour out of PIP 3's
// picture, the other out of PIP 1's (offered only in the mosaic mode that
// uses window 1 that way). Each keys only while its window is on. Every
// change sends the whole record of the keyer, on its channel.

#include <array>
#include <cstdint>

#include "link/CommandEncoder.h"

namespace qv {

class KeyerControl {
 public:
  enum class Keyer { Pip3 = 0, Pip1 = 1 };
  static constexpr int kUserMode = 0;
  static constexpr int kModeCount = 13;
  // The mosaic mode in which window 1 can be keyed.
  static constexpr int kPip1MosaicMode = 3;

  // Red, green and blue low and high, then gain in, out and boundary.
  using Values = std::array<int, 9>;

  explicit KeyerControl(CommandEncoder& encoder) : encoder_(encoder) {}

  static int ChannelOf(Keyer keyer) { return keyer == Keyer::Pip3 ? 3 : 1; }
  static int WindowOf(Keyer keyer) { return ChannelOf(keyer); }

  bool Pip1Offered() const { return model().rec.MosaicMode == kPip1MosaicMode; }
  const KeyerInfo& Record(Keyer keyer) const;
  bool On(Keyer keyer) const { return Record(keyer).KeyerOnOff != 0; }
  // A mode from the wire outside the list counts as the user mode.
  int Mode(Keyer keyer) const;
  Values ValuesOf(Keyer keyer) const;
  // The nine fields are the operator's only in the user mode of a keyer on.
  bool FieldsOpen(Keyer keyer) const { return On(keyer) && Mode(keyer) == kUserMode; }

  // Asks the processor for the keyer's record.
  void Query(Keyer keyer);
  // False, and nothing sent, when switching on a keyer whose window is off.
  bool Switch(Keyer keyer, bool on);
  // The processor fills the ranges of a fixed mode in: the page asks for
  // the record again a moment later.
  void ChooseMode(Keyer keyer, int mode);
  void SetValues(Keyer keyer, const Values& values);
  // The user mode with the full colour range; the gains stay.
  void Reset(Keyer keyer);

 private:
  DeviceModel& model() const { return encoder_.model(); }
  KeyerInfo& RecordOf(Keyer keyer);
  void Send(Keyer keyer);

  CommandEncoder& encoder_;
};

}  // namespace qv
