#pragma once
// The top strip of the console window: one tile per input (connector, signal
// lamp, timing, built-in label and the operator's name), the loop-out marker,
// the two rows of layer switches and the four "TOP" buttons. A press on a tile
// routes its input to the current window; a double-click under a tile renames
// the input. The panel sits at the window's top-left corner, full width,
// InputPanelLayout::kPanelHeight high.

#include <QFont>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "InputIcons.h"
#include "LayerSwitches.h"
#include "NameBox.h"
#include "logic/shell/InputPanelControl.h"
#include "logic/shell/InputPanelLayout.h"

namespace qv {

class InputPanel final : public QWidget {
  Q_OBJECT

 public:
  // Control ids language files retitle the buttons by.
  static constexpr int kLeftMainId = 1247;
  static constexpr int kRightMainId = 1466;
  static constexpr int kFirstTopId = 1446;

  InputPanel(CommandEncoder& encoder, InfoSettings& settings, QWidget* parent = nullptr);

  const InputPanelControl& control() const { return control_; }
  const InputPanelLayout& tileLayout() const { return layout_; }
  // What `tile` shows now.
  InputPanelLayout::TileFace face(int tile) const;

  // A press on `tile` (-1 for none), as the mouse makes it: an open name box
  // is committed first, then the tile's input goes to the current window.
  void PressTile(int tile);

  // At start: the operator's input names from Info.ini.
  void LoadDisplayNames();
  // A page changed `window`'s input: the panel repaints, inputChanged tells
  // the window's pages, and with `send` the processor gets SetWindowInput.
  void InputChanged(int window, bool send);
  // The main page made `window` current: the highlight follows its input.
  void FollowWindow(int window);
  // The switches show the model: ChnlOnOff of windows 1..3, LogoOnOff for
  // window 3 while it carries the logo.
  void RefreshLayerSwitches();
  // Locking the layer controls (test pattern on, feathering) disables the switches.
  void SetLayerSwitchesEnabled(bool enabled);
  // Loop-out source 0..7 gets the marker; any other value removes it.
  void SetLoopOutSource(int tile);
  void SetTopButtonsVisible(bool visible);
  // Takes the open name box's text as the input's name (Enter, Esc, or a
  // press elsewhere on the panel).
  void CommitRename();

 signals:
  // `window` shows a new input: relabel it on the main page, refresh the
  // picture, crop, VGA and PIP pages, and re-check the "VGA ADJ." button
  // (InputPanelControl::ShowsVgaInput).
  void inputChanged(int window);
  // A layer switch turned PIP `window` on or off (already sent): the PIP
  // page, the main page's cell and the preview follow.
  void layerSwitched(int window, bool on);
  // The logo page takes this state for window 3; emitted before layerSwitched.
  void logoSwitched(bool on);
  // A "TOP" button: raise `window` on the layout canvas and make it current.
  void raiseWindowRequested(int window);
  void renameFailed(const QString& reason);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnLayerSwitch(InputPanelControl::Row row, int window, bool on);
  void PaintTile(QPainter& p, int tile);

  DeviceModel& model_;
  InputPanelControl control_;
  InputPanelLayout layout_;
  InputIcons icons_;
  QFont labelFont_;
  QFont timingFont_;
  LayerSwitches* leftSwitches_ = nullptr;
  LayerSwitches* rightSwitches_ = nullptr;
  std::array<QPushButton*, kWindowCount> topButtons_{};
  NameBox* nameBox_ = nullptr;
  int renameTarget_ = -1;
  int loopOutTile_ = -1;
};

}  // namespace qv
