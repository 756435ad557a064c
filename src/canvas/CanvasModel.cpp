#include "canvas/CanvasModel.h"

#include <algorithm>
#include <utility>

#include "canvas/ScreenEdgeAlignment.h"
#include "canvas/WindowSnap.h"

namespace qv {
namespace {

// A window that does not fill its screen may be pulled this far past the
// screen's image; the drag step then pushes it back inside, so it can be laid
// against the screen's edges without stopping a few pixels short.
constexpr int kLimitOvershoot = 10;

// Keeps a moved rectangle inside `limit`: no larger than it (keeping left and
// top), shifted back in where it sticks out, and never left of or above 0.
Rect FitInto(const Rect& r, const Rect& limit) {
  Rect f{r.left, r.top, r.left + std::min(r.Width(), limit.Width()),
         r.top + std::min(r.Height(), limit.Height())};
  if (f.right > limit.right) f = f.Translated(limit.right - f.right, 0);
  if (f.left < limit.left) f = f.Translated(limit.left - f.left, 0);
  if (f.bottom > limit.bottom) f = f.Translated(0, limit.bottom - f.bottom);
  if (f.top < limit.top) f = f.Translated(0, limit.top - f.top);
  return f.Intersected(limit).ClampedAtOrigin();
}

// A cursor held in `area` reaches its right and bottom less one pixel; an
// empty area holds it at its top-left corner.
Point Confine(Point p, const Rect& area) {
  return {std::clamp(p.x, area.left, std::max(area.left, area.right - 1)),
          std::clamp(p.y, area.top, std::max(area.top, area.bottom - 1))};
}

bool Inside(const Rect& r, const Rect& area) {
  return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
         r.bottom <= area.bottom;
}

}  // namespace

void CanvasModel::SetClientSize(int width, int height) {
  clientWidth_ = std::max(width, 0);
  clientHeight_ = std::max(height, 0);
}

void CanvasModel::SetScalePairs(const ScalePair& pair) {
  screenPair_ = pair;
  windowPair_ = pair;
}

const ScalePair& CanvasModel::PairFor(const CCell& cell) const {
  return cell.IsScreen() && !cell.locked() ? screenPair_ : windowPair_;
}

std::optional<CellHandle> CanvasModel::AddWindowCell(int deviceWidth, int deviceHeight, int x,
                                                     int y, std::string name, int id, int source) {
  if (std::any_of(cells_.begin(), cells_.end(), [id](const CCell& c) { return c.id_ == id; })) {
    return std::nullopt;
  }
  CCell cell(CellHandle{++lastHandle_}, CCell::Kind::Window, id);
  cell.deviceRect_ = Rect{x, y, x + deviceWidth, y + deviceHeight}.ClampedAtOrigin();
  cell.canvasRect_ = windowPair_.ToCanvas(cell.deviceRect_, clientWidth_, clientHeight_);
  cell.name_ = std::move(name);
  cell.source_ = source;
  const auto above = std::find_if(cells_.begin(), cells_.end(),
                                  [id](const CCell& c) { return c.IsScreen() || c.id_ > id; });
  return cells_.insert(above, std::move(cell))->handle_;
}

CellHandle CanvasModel::AddScreenCell(std::string name, int x, int y, int source) {
  CCell cell(CellHandle{++lastHandle_}, CCell::Kind::Screen, CCell::kScreenId);
  cell.deviceRect_ = {x, y, x + kScreenDeviceWidth, y + kScreenDeviceHeight};
  cell.canvasRect_ = screenPair_.ToCanvas(cell.deviceRect_, clientWidth_, clientHeight_);
  cell.name_ = std::move(name);
  cell.source_ = source;
  cells_.push_back(std::move(cell));
  return cells_.back().handle_;
}

void CanvasModel::SetCellDeviceRect(CellHandle handle, const Rect& device) {
  CCell* cell = Find(handle);
  if (!cell) return;
  cell->deviceRect_ = device.Normalized().ClampedAtOrigin();
  const Rect canvas = PairFor(*cell).ToCanvas(cell->deviceRect_, clientWidth_, clientHeight_);
  cell->canvasRect_ = FitInto(canvas, LimitOf(*cell));
}

void CanvasModel::RebaseCell(CellHandle handle, const Rect& screen) {
  CCell* cell = Find(handle);
  if (!cell) return;
  cell->deviceRect_ =
      cell->deviceRect_.Translated(screen.left - cell->origin_.x, screen.top - cell->origin_.y)
          .Normalized()
          .ClampedAtOrigin();
  cell->origin_ = {screen.left, screen.top};
  cell->screenBounds_ = screen;
}

void CanvasModel::RemoveWindowCells() {
  std::erase_if(cells_, [](const CCell& c) { return c.IsWindow(); });
  current_.reset();
  EndDragOfRemovedCell();
}

void CanvasModel::RemoveScreenCells() {
  const CCell* current = current_ ? Find(*current_) : nullptr;
  const bool currentGoes = current && current->IsScreen();
  std::erase_if(cells_, [](const CCell& c) { return c.IsScreen(); });
  if (currentGoes) {
    current_.reset();
    EndDragOfRemovedCell();
  }
}

void CanvasModel::RelayoutAll() {
  for (const CCell& cell : cells_) SetCellDeviceRect(cell.handle_, cell.deviceRect_);
}

void CanvasModel::RaiseCell(CellHandle handle) {
  const auto it = std::find_if(cells_.begin(), cells_.end(),
                               [handle](const CCell& c) { return c.handle_ == handle; });
  if (it != cells_.end()) std::rotate(it, it + 1, cells_.end());
}

bool CanvasModel::SortAndRestack() {
  if (std::is_sorted(cells_.begin(), cells_.end(),
                     [](const CCell& a, const CCell& b) { return a.id_ < b.id_; })) {
    return false;
  }
  std::stable_sort(cells_.begin(), cells_.end(),
                   [](const CCell& a, const CCell& b) { return a.id_ < b.id_; });
  return true;
}

const CCell* CanvasModel::Cell(CellHandle handle) const {
  return Find(handle);
}

CCell* CanvasModel::Cell(CellHandle handle) {
  return Find(handle);
}

CCell* CanvasModel::Find(CellHandle handle) {
  return const_cast<CCell*>(std::as_const(*this).Find(handle));
}

const CCell* CanvasModel::Find(CellHandle handle) const {
  const auto it = std::find_if(cells_.begin(), cells_.end(),
                               [handle](const CCell& c) { return c.handle_ == handle; });
  return it == cells_.end() ? nullptr : &*it;
}

std::optional<Rect> CanvasModel::ScreenLimit(const CCell& cell) const {
  if (!cell.screenBounds_) return std::nullopt;
  const Rect image = PairFor(cell).ToCanvas(*cell.screenBounds_, clientWidth_, clientHeight_);
  if (image.IsEmpty()) return std::nullopt;
  return image;
}

Rect CanvasModel::LimitOf(const CCell& cell) const {
  return ScreenLimit(cell).value_or(ClientRect());
}

std::optional<CellHandle> CanvasModel::CellAt(Point p) const {
  if (const CCell* c = current_ ? Find(*current_) : nullptr) {
    if (!c->hidden_ && IsResizeZone(HitZoneAt(c->canvasRect_, p)) && c->canvasRect_.Contains(p)) {
      return current_;
    }
  }
  const CCell* best = nullptr;
  for (auto it = cells_.rbegin(); it != cells_.rend(); ++it) {
    if (it->hidden_ || it->IsLockedScreen() || !it->canvasRect_.Contains(p)) continue;
    if (!best || it->canvasRect_.Width() < best->canvasRect_.Width()) best = &*it;
  }
  if (!best) return std::nullopt;
  return best->handle_;
}

HitZone CanvasModel::ZoneAt(Point p) const {
  const std::optional<CellHandle> picked = CellAt(p);
  return picked ? HitZoneAt(Find(*picked)->canvasRect_, p) : HitZone::None;
}

CursorShape CanvasModel::HoverCursor(Point p) const {
  const std::optional<CellHandle> picked = CellAt(p);
  if (!picked) return CursorShape::Arrow;
  const CCell& cell = *Find(*picked);
  const HitZone zone = HitZoneAt(cell.canvasRect_, p);
  if (cell.IsWindow()) return CursorFor(zone);
  return !cell.locked_ && zone == HitZone::Inside ? CursorShape::Hand : CursorShape::Arrow;
}

std::optional<CellHandle> CanvasModel::Press(Point p, bool controlHeld) {
  const std::optional<CellHandle> picked = CellAt(p);
  if (controlHeld) {
    if (picked) {
      CCell& cell = *Find(*picked);
      cell.selected_ = !cell.selected_;
    }
    return std::nullopt;
  }
  if (!picked) {
    for (CCell& cell : cells_) cell.selected_ = false;
    current_.reset();
    dragMode_ = DragMode::RubberBand;
    dragZone_ = HitZone::None;
    confinement_.reset();
    pressPoint_ = lastPoint_ = dragPoint_ = p;
    return std::nullopt;
  }
  CCell& cell = *Find(*picked);
  if (cell.IsLockedScreen()) return std::nullopt;
  if (CCell* previous = current_ ? Find(*current_) : nullptr) previous->selected_ = false;
  current_ = cell.handle_;
  cell.selected_ = true;
  dragZone_ = HitZoneAt(cell.canvasRect_, p);
  if (IsResizeZone(dragZone_)) {
    // A screen is always the size of an output: pressing its border only
    // selects it.
    if (cell.IsScreen()) {
      dragMode_ = DragMode::None;
      return std::nullopt;
    }
    dragMode_ = DragMode::Resize;
    confinement_ = ClientRect();
  } else {
    dragMode_ = DragMode::Move;
    confinement_ = MoveConfinement(cell, p);
  }
  pressPoint_ = lastPoint_ = dragPoint_ = p;
  pressDevice_ = cell.deviceRect_;
  return cell.handle_;
}

Rect CanvasModel::MoveConfinement(const CCell& cell, Point p) const {
  // Where the press point can travel while the cell stays inside the client
  // area.
  const Rect& c = cell.canvasRect_;
  Rect area{p.x - c.left, p.y - c.top, clientWidth_ + p.x - c.right + 1,
            clientHeight_ + p.y - c.bottom + 1};
  if (area.IsEmpty()) {
    ++area.right;
    ++area.bottom;
    return area;
  }
  const std::optional<Rect> limit = cell.IsWindow() ? ScreenLimit(cell) : std::nullopt;
  if (!limit) return area;
  area = {limit->left + p.x - c.left, limit->top + p.y - c.top, limit->right + p.x - c.right,
          limit->bottom + p.y - c.bottom};
  if (c == *limit) return area;
  return {area.left - kLimitOvershoot, area.top - kLimitOvershoot, area.right + kLimitOvershoot,
          area.bottom + kLimitOvershoot};
}

CursorShape CanvasModel::Move(Point p) {
  switch (dragMode_) {
    case DragMode::None:
      return HoverCursor(p);
    case DragMode::RubberBand:
      dragPoint_ = p;
      return CursorShape::Arrow;
    case DragMode::Move:
    case DragMode::Resize:
      break;
  }
  CCell* cell = current_ ? Find(*current_) : nullptr;
  if (!cell || (cell->IsWindow() && cell->locked_)) return CursorFor(dragZone_);
  if (confinement_) p = Confine(p, *confinement_);
  if (dragMode_ == DragMode::Move) {
    MoveStep(*cell, p);
  } else {
    ResizeStep(*cell, p);
  }
  if (cell->IsWindow() && screenEdgeAlignment_) AlignToScreen(*cell);
  lastPoint_ = p;
  dragPoint_ = p;
  return CursorFor(dragZone_);
}

void CanvasModel::MoveStep(CCell& cell, Point p) {
  Rect moved = cell.canvasRect_.Translated(p.x - lastPoint_.x, p.y - lastPoint_.y);
  guide_ = {};
  for (const CCell& other : cells_) {
    if (&other == &cell || other.hidden_) continue;
    const std::optional<WindowSnap> snap = FindWindowSnap(
        moved, cell.deviceRect_, other.canvasRect_, other.deviceRect_, PairFor(cell));
    if (!snap) continue;
    moved = snap->canvas;
    cell.deviceRect_ = snap->device;
    guide_ = {snap->kind, other.canvasRect_};
    break;
  }
  if (moved != cell.canvasRect_ && Inside(moved, ClientRect())) {
    cell.canvasRect_ = FitInto(moved, LimitOf(cell));
  }
  if (guide_.kind == SnapGuide::Kind::None) {
    // Moving never resizes on the processor, whatever the rounding of the
    // canvas size.
    const Rect converted = PairFor(cell).ToDevice(cell.canvasRect_);
    cell.deviceRect_ = {converted.left, converted.top, converted.left + cell.deviceRect_.Width(),
                        converted.top + cell.deviceRect_.Height()};
  }
}

void CanvasModel::ResizeStep(CCell& cell, Point p) {
  const DraggedEdges dragged = DraggedEdgesOf(dragZone_);
  Rect r = cell.canvasRect_;
  if (dragged.left) r.left = std::min(p.x, r.right - kMinResizeExtent);
  if (dragged.top) r.top = std::min(p.y, r.bottom - kMinResizeExtent);
  if (dragged.right) r.right = std::max(p.x, r.left + kMinResizeExtent);
  if (dragged.bottom) r.bottom = std::max(p.y, r.top + kMinResizeExtent);
  const Rect limit = LimitOf(cell);
  r = Rect{std::max(r.left, limit.left), std::max(r.top, limit.top), std::min(r.right, limit.right),
           std::min(r.bottom, limit.bottom)}
          .Intersected(limit)
          .ClampedAtOrigin();
  cell.canvasRect_ = r;
  // Only the dragged edges move on the processor; the others keep their
  // exact device place.
  const Rect converted = PairFor(cell).ToDevice(r);
  if (dragged.left) cell.deviceRect_.left = converted.left;
  if (dragged.top) cell.deviceRect_.top = converted.top;
  if (dragged.right) cell.deviceRect_.right = converted.right;
  if (dragged.bottom) cell.deviceRect_.bottom = converted.bottom;
}

void CanvasModel::AlignToScreen(CCell& cell) {
  const auto screen = std::find_if(cells_.begin(), cells_.end(), [&cell](const CCell& c) {
    return c.IsScreen() && !c.hidden_ && c.canvasRect_.Intersects(cell.canvasRect_);
  });
  if (screen == cells_.end()) return;
  cell.deviceRect_ = AlignToScreenEdges(cell.deviceRect_, screen->deviceRect_, dragZone_);
}

std::optional<CellHandle> CanvasModel::Release() {
  guide_ = {};
  const DragMode mode = dragMode_;
  dragMode_ = DragMode::None;
  confinement_.reset();
  if (mode != DragMode::Move && mode != DragMode::Resize) return std::nullopt;
  const CCell* cell = current_ ? Find(*current_) : nullptr;
  if (!cell) return std::nullopt;
  // A drag that came back to the press point can still have changed the
  // cell (a resize takes the edge to the cursor, a snap shifts by a pixel).
  if (dragPoint_ != pressPoint_ || cell->deviceRect_ != pressDevice_) return current_;
  return std::nullopt;
}

std::optional<Rect> CanvasModel::RubberBand() const {
  if (dragMode_ != DragMode::RubberBand) return std::nullopt;
  return Rect{pressPoint_.x, pressPoint_.y, dragPoint_.x, dragPoint_.y}.Normalized();
}

std::vector<const CCell*> CanvasModel::PaintOrder() const {
  std::vector<const CCell*> order;
  for (const CCell& c : cells_) {
    if (c.IsWindow() && !c.hidden_) order.push_back(&c);
  }
  for (const CCell& c : cells_) {
    if (c.IsScreen() && !c.hidden_) order.push_back(&c);
  }
  return order;
}

std::vector<Rect> CanvasModel::Overlaps() const {
  std::vector<const CCell*> windows;
  for (const CCell& c : cells_) {
    if (c.IsWindow() && !c.hidden_) windows.push_back(&c);
  }
  std::vector<Rect> overlaps;
  for (size_t i = 0; i < windows.size(); ++i) {
    for (size_t j = i + 1; j < windows.size(); ++j) {
      const Rect r = windows[i]->canvasRect_.Intersected(windows[j]->canvasRect_);
      if (!r.IsEmpty()) overlaps.push_back(r);
    }
  }
  return overlaps;
}

void CanvasModel::EndDragOfRemovedCell() {
  if (dragMode_ != DragMode::Move && dragMode_ != DragMode::Resize) return;
  dragMode_ = DragMode::None;
  confinement_.reset();
  guide_ = {};
}

}  // namespace qv
