#pragma once
// One rectangle of the layout canvas: an output screen or a window (the main
// picture, a picture-in-picture window, or window 3 used as the logo, which
// the page keeps locked). The canvas owns its geometry; the page owns the
// flags and texts it shows.

#include <optional>
#include <string>
#include <utility>

#include "canvas/CellHandle.h"
#include "canvas/Rect.h"

namespace qv {

class CCell {
 public:
  enum class Kind { Window, Screen };

  // Screens all carry this id, so they stack above every window.
  static constexpr int kScreenId = 255;
  static constexpr int kDefaultSource = 3;

  CellHandle handle() const { return handle_; }
  Kind kind() const { return kind_; }
  bool IsScreen() const { return kind_ == Kind::Screen; }
  bool IsWindow() const { return kind_ == Kind::Window; }
  int id() const { return id_; }

  const Rect& canvasRect() const { return canvasRect_; }
  const Rect& deviceRect() const { return deviceRect_; }
  // Device top-left corner of the screen the window lies on.
  Point origin() const { return origin_; }
  // Device rectangle of that screen: the window may not leave its canvas
  // image. Nothing until the window is rebased; screens have none.
  const std::optional<Rect>& screenBounds() const { return screenBounds_; }
  // The position shown and stored for a window: relative to its screen,
  // never negative.
  Point ShownPosition() const;

  // Drawn highlighted; the current cell has it, and a control-click toggles it.
  bool selected() const { return selected_; }

  // A hidden cell is not drawn, picked or snapped to.
  bool hidden() const { return hidden_; }
  void SetHidden(bool hidden) { hidden_ = hidden; }
  // A locked screen cannot be pressed or moved; a locked window can be
  // pressed and selected but not dragged.
  bool locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  bool IsLockedScreen() const { return IsScreen() && locked_; }
  // Screens drawn as a dotted outline (outputs locked) rather than filled.
  bool outline() const { return outline_; }
  void SetOutline(bool outline) { outline_ = outline; }
  const std::string& name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // The window's input source code, kept for the page.
  int source() const { return source_; }
  void SetSource(int source) { source_ = source; }

 private:
  friend class CanvasModel;

  CCell(CellHandle handle, Kind kind, int id) : handle_(handle), kind_(kind), id_(id) {}

  CellHandle handle_;
  Kind kind_;
  int id_;
  Rect canvasRect_;
  Rect deviceRect_;
  Point origin_;
  std::optional<Rect> screenBounds_;
  bool selected_ = false;
  bool hidden_ = false;
  bool locked_ = false;
  bool outline_ = false;
  std::string name_;
  int source_ = kDefaultSource;
};

}  // namespace qv
