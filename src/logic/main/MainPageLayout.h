#pragma once
// The main page apart from drawing it: the four window cells and eight
// screen cells on the layout canvas, their labels, places, locks and
// visibility kept in step with the device model, the zoom, the screens'
// arrangement by mosaic mode and switcher mode, and a finished drag turned
// into the window geometry sent to the processor. The page widget forwards
// its events here and repaints; the canvas widget draws canvas().

#include <array>
#include <optional>
#include <string>

#include "canvas/CanvasModel.h"
#include "link/CommandEncoder.h"

namespace qv {

class MainPageLayout {
 public:
  // Cells by index: windows 0..3, output screens 1..4, preview screens 1..2,
  // program screens 1..2.
  static constexpr int kCellCount = 12;
  static constexpr int kFirstOutputScreen = 4;
  static constexpr int kFirstPreviewScreen = 8;
  static constexpr int kFirstProgramScreen = 10;
  // Device point where the page puts the first output screen.
  static constexpr Point kScreenOrigin{125, 198};
  static constexpr double kDefaultZoom = 6.0;
  static constexpr double kZoomStep = 0.5;

  // Builds the twelve cells as the page starts: window 0 shown, the first
  // output screen shown, locked and outlined.
  explicit MainPageLayout(CommandEncoder& encoder);

  CanvasModel& canvas() { return canvas_; }
  const CanvasModel& canvas() const { return canvas_; }
  CellHandle cell(int index) const { return cells_.at(static_cast<std::size_t>(index)); }
  // 0..11, or -1 for a handle that is none of the twelve.
  int IndexOf(CellHandle handle) const;
  int currentWindow() const { return currentWindow_; }
  double zoom() const { return zoom_; }
  // Switcher modes draw the preview/program frames.
  bool switcherFrames() const { return switcherFrames_; }

  // The page's client size: the switcher geometry fits the screens into it.
  void SetPageSize(int width, int height);

  // Rebuilds the window cells from the model (after a full read).
  void Rebuild();
  void ShowWindowCell(int window, bool visible);
  void UpdateWindowLabel(int window);
  void PlaceWindowCell(int window);
  // Code 1: window 3 becomes the logo window or PIP 3 again; then it is placed.
  void UpdateWindow3(int code);
  void RelayoutOutputs();
  // Presets 0..7: where output screens 2..4 sit beside screen 1.
  void ArrangeScreens(int preset);
  void LockOutputs(bool locked, bool updateWindows);
  void OnOutputResolution();
  // The screens and windows for the model's switcher mode (PvwMode).
  void RelayoutForSwitcher();
  // Ctrl+wheel: `notches` towards the operator zoom out by kZoomStep each
  // (more device pixels per canvas pixel). False when the zoom does not
  // apply (a switcher mode), nothing changes then.
  bool Zoom(int notches);

  // A cell was pressed: a window becomes current (a screen leaves the
  // current window as it is) and goes on top. Returns the current window.
  // Sends the logo geometry when the logo page left it pending.
  int MakeCurrent(CellHandle pressed);
  // A drag ended. For a window: its geometry goes into the model and is
  // sent; returns the window. For a screen: the windows follow their
  // screens and nothing is sent; returns nothing.
  std::optional<int> CommitDrag(CellHandle changed);

  // The part of a preview frame `frameWidth` x `frameHeight` that window
  // `window` shows; nothing when it has none (dual switcher mode, on
  // neither program nor preview).
  std::optional<Rect> VideoSource(int window, int frameWidth, int frameHeight) const;

  // The label the window's cell shows.
  const std::string& Label(int window) const;

 private:
  // A window's place and size relative to its screen: the model's channel
  // geometry, or the logo slot's when window 3 is the logo.
  struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool logo = false;
  };

  DeviceModel& model() const { return encoder_.model(); }
  CCell& CellOf(int index);
  const CCell& CellOf(int index) const;
  Rect DeviceRectOf(int index) const;
  std::string SourceName(int window) const;
  // "Main : " or "PIP-n : ", the label a window has outside the switcher modes.
  static std::string NormalPrefix(int window);
  // An empty prefix empties the label.
  void SetWindowLabel(int window, const std::string& prefix);
  void RebaseWindow(int window, int screenIndex);
  void SetAllScales(double factor);
  std::optional<WindowGeometry> GeometryOf(int window) const;
  // The preview or program screen a window lies on in a switcher mode;
  // nothing in dual mode for a window on neither, or outside the switcher modes.
  std::optional<int> SwitcherScreenOf(int window) const;
  std::optional<int> QuadrantOf(int window) const;
  void ApplySwitcherGeometry();

  CommandEncoder& encoder_;
  CanvasModel canvas_;
  std::array<CellHandle, kCellCount> cells_{};
  int currentWindow_ = 0;
  double zoom_ = kDefaultZoom;
  uint8_t lastSwitcherMode_ = 0;
  bool switcherFrames_ = false;
  int pageWidth_ = 0;
  int pageHeight_ = 0;
};

}  // namespace qv
