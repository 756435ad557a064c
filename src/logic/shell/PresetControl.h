#pragma once
// What the preset and template buttons do, apart from drawing them: which
// list the number buttons address, which number is chosen, and what Load and
// Save send. The window shows the outcome (waiting notice, message, repaint).

#include <array>

#include "link/CommandEncoder.h"

namespace qv {

class PresetControl {
 public:
  enum class List { Presets, Templates };
  enum class Outcome {
    NothingChosen,  // no number button chosen: nothing sent
    Invalid,        // a preset never saved: "Preset is Invalid", nothing sent
    Waiting,        // sent; show "Waitting Operation ..." until the processor answers
    Saved,          // sent; repaint the number's button
  };

  explicit PresetControl(CommandEncoder& encoder) : encoder_(encoder) {}

  void SetList(List list) { list_ = list; }
  List list() const { return list_; }
  // Number button 0..9; -1 for none.
  void Choose(int number) { current_ = number >= 0 && number < kPresetCount ? number : -1; }
  int current() const { return current_; }

  // Templates always load; a preset only when the processor holds it.
  Outcome Load();
  // Call after the operator confirmed "Save The Preset?".
  Outcome Save();

  // The preset last loaded while the switcher was in `pvwMode` (0..2); -1 for none.
  int LastLoaded(int pvwMode) const;

 private:
  CommandEncoder& encoder_;
  List list_ = List::Presets;
  int current_ = -1;
  std::array<int, 3> lastLoaded_{-1, -1, -1};
};

}  // namespace qv
