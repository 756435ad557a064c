#pragma once
// The layout canvas apart from drawing it: the screens and windows as cells
// in stacking order, their canvas and device rectangles, picking, and the
// drags that move and resize them with snapping. The canvas widget forwards
// the left button and the mouse in canvas pixels, draws what this holds, and
// hands the page what the press and release calls return; the page turns a
// changed window's device rectangle into the geometry it sends.
//
// Pointers returned by Cell() and PaintOrder() last until the next call that
// adds, removes or reorders cells; handles last as long as their cell.

#include <optional>
#include <string>
#include <vector>

#include "canvas/CCell.h"
#include "canvas/CellHandle.h"
#include "canvas/CursorShape.h"
#include "canvas/DragMode.h"
#include "canvas/HitZone.h"
#include "canvas/Rect.h"
#include "canvas/ScalePair.h"
#include "canvas/SnapGuide.h"

namespace qv {

class CanvasModel {
 public:
  // The page makes the canvas this many pixels wide and high and shows the
  // part that fits; only the visible part is ever painted.
  static constexpr int kDefaultClientExtent = 10000;
  static constexpr int kScreenDeviceWidth = 1920;
  static constexpr int kScreenDeviceHeight = 1080;
  // A resized edge stays at least this far from the opposite one.
  static constexpr int kMinResizeExtent = 8;

  void SetClientSize(int width, int height);
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }
  Rect ClientRect() const { return {0, 0, clientWidth_, clientHeight_}; }

  // The page always sets both pairs alike.
  void SetScalePairs(const ScalePair& pair);
  void SetScreenPair(const ScalePair& pair) { screenPair_ = pair; }
  void SetWindowPair(const ScalePair& pair) { windowPair_ = pair; }
  const ScalePair& screenPair() const { return screenPair_; }
  const ScalePair& windowPair() const { return windowPair_; }
  // Unlocked screens (being arranged) use the screen pair; windows and
  // locked screens the window pair.
  const ScalePair& PairFor(const CCell& cell) const;

  // Dragged windows pull their device edges onto their screen's edges.
  void SetScreenEdgeAlignment(bool on) { screenEdgeAlignment_ = on; }
  bool screenEdgeAlignment() const { return screenEdgeAlignment_; }

  // A window with device rectangle (x, y, x + width, y + height), left and
  // top clamped at 0, shown and stacked by id below every screen. Nothing if
  // a cell already carries `id`.
  std::optional<CellHandle> AddWindowCell(int deviceWidth, int deviceHeight, int x, int y,
                                          std::string name, int id, int source);
  // An unlocked, filled 1920 x 1080 screen at device (x, y), on top of the
  // stack. The page locks and outlines it afterwards as it needs.
  CellHandle AddScreenCell(std::string name, int x, int y, int source);

  // Stores the device rectangle (normalised, left and top clamped at 0) and
  // shows it on the canvas, kept inside the cell's limit.
  void SetCellDeviceRect(CellHandle handle, const Rect& device);
  // Puts a window on the screen with device rectangle `screen`: the window
  // keeps its place relative to its screen's top-left corner and may not
  // leave the new screen on the canvas. Its canvas rectangle follows at the
  // next SetCellDeviceRect or RelayoutAll.
  void RebaseCell(CellHandle handle, const Rect& screen);
  // Removing cells also ends a drag of a removed cell.
  void RemoveWindowCells();
  void RemoveScreenCells();
  // Converts every cell again, after a change of scale or client size.
  void RelayoutAll();

  // Puts a cell on top of the stack (the page raises a pressed window).
  void RaiseCell(CellHandle handle);
  // Stacks the cells by id again, windows 0..3 then the screens in their
  // present order; true if the order changed (the widget then restacks the
  // video windows and repaints).
  bool SortAndRestack();

  const CCell* Cell(CellHandle handle) const;
  // For the page's flags and texts; geometry only changes through the canvas.
  CCell* Cell(CellHandle handle);
  // Stacking order, bottom first: the order of video windows.
  const std::vector<CCell>& cells() const { return cells_; }
  std::optional<CellHandle> current() const { return current_; }
  // The canvas area the cell has to stay in: the canvas image of its screen,
  // or the whole client area for a cell without one.
  Rect LimitOf(const CCell& cell) const;

  // The cell a press at `p` takes: the current cell when `p` is on its
  // border, so its handles stay reachable where it overlaps others; else
  // the narrowest shown cell under `p`, the higher one between equals.
  // Locked screens are never picked.
  std::optional<CellHandle> CellAt(Point p) const;
  // The zone of the cell CellAt(p) picks; None over empty canvas.
  HitZone ZoneAt(Point p) const;
  // The cursor over `p` while no button is down.
  CursorShape HoverCursor(Point p) const;

  // Left button down. With control held, toggles the picked cell's selection
  // and nothing else. Returns the cell pressed, for the page to make current.
  std::optional<CellHandle> Press(Point p, bool controlHeld);
  // Every mouse move, button down or not: steps a drag, or hovers. Returns
  // the cursor to show.
  CursorShape Move(Point p);
  // Left button up. Returns the cell whose drag changed it, for the page to
  // send its device rectangle.
  std::optional<CellHandle> Release();

  DragMode dragMode() const { return dragMode_; }
  // The focus rectangle of a drag on empty canvas.
  std::optional<Rect> RubberBand() const;
  const SnapGuide& snapGuide() const { return guide_; }

  // Shown windows bottom to top, then shown screens: screens are outlines
  // over the windows, or (while arranged) hide them.
  std::vector<const CCell*> PaintOrder() const;
  // Where shown windows overlap, once for each pair.
  std::vector<Rect> Overlaps() const;

 private:
  CCell* Find(CellHandle handle);
  const CCell* Find(CellHandle handle) const;
  // The canvas image of the cell's screen, if it has a screen and the image
  // is not empty.
  std::optional<Rect> ScreenLimit(const CCell& cell) const;
  Rect MoveConfinement(const CCell& cell, Point p) const;
  void MoveStep(CCell& cell, Point p);
  void ResizeStep(CCell& cell, Point p);
  void AlignToScreen(CCell& cell);
  void EndDragOfRemovedCell();

  std::vector<CCell> cells_;
  int lastHandle_ = 0;
  std::optional<CellHandle> current_;

  int clientWidth_ = kDefaultClientExtent;
  int clientHeight_ = kDefaultClientExtent;
  ScalePair screenPair_;
  ScalePair windowPair_;
  bool screenEdgeAlignment_ = false;

  DragMode dragMode_ = DragMode::None;
  HitZone dragZone_ = HitZone::None;
  // Where the cursor may go during the drag; the toolkit cannot hold the
  // cursor in a rectangle, so the points are held in it here.
  std::optional<Rect> confinement_;
  Point pressPoint_;
  Point lastPoint_;
  Point dragPoint_;
  Rect pressDevice_;
  SnapGuide guide_;
};

}  // namespace qv
