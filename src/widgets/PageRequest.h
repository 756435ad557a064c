#pragma once
// What a page, or the window's own controls, ask of the console. The window
// does its own part of each request (ZulanDlg::HandlePageRequest) and then
// hands the request to every page (ZBaseDialog::OnPageRequest), so that each
// page follows what concerns it. The numbers are the ones the processor
// family's consoles have always used; the console's own requests follow from
// 1500.

namespace qv {

enum class PageRequest : int {
  MiscViews = 1442,        // argument: MiscViewArgument(view, shown)
  InputChanged = 1445,     // argument: the window whose input changed
  SwitcherState = 1448,    // argument: the switcher state
  LoopOutSource = 1449,    // argument: input tile 0..7
  LayerState = 1450,       // argument: PIP 0..2
  PlaceWindow = 1451,      // argument: the window whose geometry a page changed
  SelectWindow = 1452,     // argument: the window the main page made current or moved
  OutputResolution = 1453, // the output page changed the output's size
  CurrentWindow = 1454,    // argument: the window made current, 0..3
  UpdateWindow3 = 1456,    // argument 1: window 3 became the logo window or PIP 3 again
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
  CropChanged = 1475,  // argument: source group x 256 + window; nothing to do
  PreviewSize = 1476,
  TestPatternOn = 1474,  // 1 a test pattern covers the output, 0 none
  TopButtons = 1477,     // 1 show, 0 hide

  ConnectNetwork = 1500,  // text: open a network link there and read the processor
  NetworkClosed = 1501,   // text: the network link there was closed
  SearchStarted = 1502,   // a search went out: the window shows its own notice
  RaiseWindow = 1503,     // argument: the window a "TOP" button raises
  LockWindows = 1504,     // "Lock Layer": 1 hold every window in place, 0 release
  ShowPreviewWindow = 1505,
  InputChosen = 1506,  // argument: a page chose the window's input; the window sends it
};

// Argument of a page toggle request that hides the page whatever its state.
constexpr int kHidePage = 3;

// The views of the misc area (MiscViews): the misc page's own, the switcher
// and keyer, the test pattern, the time and tasks, and the caption page.
// Showing one of the first four hides the other three; the caption page
// comes and goes on its own.
enum class MiscView : int { Misc = 0, Keyer = 1, TestPattern = 2, TimeTask = 3, Caption = 4 };
constexpr int MiscViewArgument(MiscView view, bool shown) {
  return static_cast<int>(view) * 2 + (shown ? 1 : 0);
}
constexpr MiscView MiscViewOf(int argument) {
  return static_cast<MiscView>(argument / 2);
}
constexpr bool MiscViewShown(int argument) {
  return argument % 2 != 0;
}

}  // namespace qv
