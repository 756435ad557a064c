#include "canvas/ScreenEdgeAlignment.h"

namespace qv {

Rect AlignToScreenEdges(const Rect& window, const Rect& screen, HitZone zone) {
  Rect w = window;
  if (zone == HitZone::Inside) {
    // Each shift moves the edges the next test looks at, so the order counts:
    // a window wider than its screen ends on the screen's left edge.
    const int width = w.Width();
    const int height = w.Height();
    if (w.top <= screen.top + kScreenEdgeReach) {
      w = {w.left, screen.top, w.right, screen.top + height};
    }
    if (w.right >= screen.right - kScreenEdgeReach) {
      w = {screen.right - width, w.top, screen.right, w.bottom};
    }
    if (w.left <= screen.left + kScreenEdgeReach) {
      w = {screen.left, w.top, screen.left + width, w.bottom};
    }
    if (w.bottom >= screen.bottom - kScreenEdgeReach) {
      w = {w.left, screen.bottom - height, w.right, screen.bottom};
    }
  } else {
    const DraggedEdges dragged = DraggedEdgesOf(zone);
    if (dragged.left && w.left <= screen.left + kScreenEdgeReach) w.left = screen.left;
    if (dragged.top && w.top <= screen.top + kScreenEdgeReach) w.top = screen.top;
    if (dragged.right && w.right >= screen.right - kScreenEdgeReach) w.right = screen.right;
    if (dragged.bottom && w.bottom >= screen.bottom - kScreenEdgeReach) w.bottom = screen.bottom;
  }
  return w.Normalized().ClampedAtOrigin();
}

}  // namespace qv
