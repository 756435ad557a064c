#pragma once
// What a page asks of the main window, by the numbers the pages and the
// main window have always used for them. The main window acts on each in
// ZulanDlg::PageRequest.

namespace qv {

enum class PageRequest : int {
  MiscViews = 1442,
  SwitcherState = 1448,    // argument: the switcher state
  LoopOutSource = 1449,    // argument: input tile 0..7
  LayerState = 1450,       // argument: PIP 0..2
  MosaicMode = 1460,       // argument: the mosaic mode
  Arrangement = 1461,      // argument: the arrangement
  LinkModeChanged = 1466,  // the model's NetworkMode changed
  SearchPage = 1467,       // 0 or 1 toggles, 2 or more hides
  VideoSettingsPage = 1468,
  MediaPlayerPage = 1469,
  FeatheringPage = 1470,
  LockLayers = 1471,   // 1 lock, 0 unlock
  LinkLamp = 1472,     // 1 connected, 0 not
  Destination = 1473,  // text: the address for the connection page
  None = 1475,
  PreviewSize = 1476,
  TopButtons = 1477,  // 1 show, 0 hide
};

// Argument of a page toggle request that hides the page whatever its state.
constexpr int kHidePage = 3;

}  // namespace qv
