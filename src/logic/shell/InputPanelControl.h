#pragma once
// What the input panel and the layer switches do, apart from drawing them:
// which window a pressed tile routes to and what is refused, which window the
// panel highlights, what a layer switch changes and sends, and the operator's
// names for the inputs kept in Info.ini. The window shows the outcome.

#include <string>

#include "link/CommandEncoder.h"
#include "project/InfoSettings.h"

namespace qv {

class InputPanelControl {
 public:
  enum class Click {
    NoTile,     // nothing pressed: nothing changes
    PatternOn,  // a test pattern covers the output: nothing changes
    Unchanged,  // the tile already feeds the current window: nothing sent
    OnProgram,  // the current window is on program: its input stays, nothing sent
    Routed,     // the current window shows the tile's input; SetWindowInput sent
  };
  // The layer switch rows: they differ only in how PIP 3 treats the logo.
  enum class Row { Left, Right };
  // What a layer switch did; neither flag set means it refused and keeps its old state.
  struct LayerChange {
    bool logo = false;    // the logo page takes the switch's new state
    bool window = false;  // ChnlOnOff changed and SetWindowState sent
  };

  InputPanelControl(CommandEncoder& encoder, InfoSettings& settings)
      : encoder_(encoder), settings_(settings) {}

  // The window (0..3) the panel last routed an input to; its input is highlighted.
  int panelWindow() const { return panelWindow_; }

  // A press on `tile` (-1 for none) routes it to the model's current window.
  Click Press(int tile);
  // The current window changed on the main page. True when the panel moved to
  // it; the window's pages then follow its input, nothing is sent.
  bool Follow(int window);
  // Sends the window's input to the processor.
  void SendWindowInput(int window);

  // True while any of the four windows shows an input from a VGA card.
  static bool ShowsVgaInput(const DeviceModel& model);

  // Layer switch of PIP window 1..3 turned to `on`.
  LayerChange SwitchLayer(Row row, int window, bool on);
  // The state a layer switch of window 1..3 shows.
  static bool LayerState(const DeviceModel& model, int window);

  // The operator's input names from Info.ini into the model, at start.
  void LoadDisplayNames();
  // Names input `tile`; an empty name brings the built-in label back.
  // Returns "" or why Info.ini could not be written (the model keeps the name).
  std::string Rename(int tile, const std::string& name);

 private:
  DeviceModel& model() { return encoder_.model(); }

  CommandEncoder& encoder_;
  InfoSettings& settings_;
  int panelWindow_ = 0;
};

}  // namespace qv
