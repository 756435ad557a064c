#include "canvas/WindowSnap.h"

#include <cstdlib>

namespace qv {
namespace {

using Kind = SnapGuide::Kind;

Rect Sized(int left, int top, const Rect& like) {
  return Rect{left, top, left + like.Width(), top + like.Height()}.Normalized().ClampedAtOrigin();
}

// One corner of the other cell, on the canvas and on the device.
struct Corner {
  Kind kind;
  Point canvas;
  Point device;
};

std::optional<WindowSnap> SnapToCorner(const Corner& corner, const Rect& moved,
                                       const Rect& movedDevice) {
  struct MovedCorner {
    bool right;
    bool bottom;
  };
  // Below-right of the other corner first, then below, on it, and right of it.
  constexpr MovedCorner kOrder[] = {{true, true}, {false, true}, {false, false}, {true, false}};
  for (const MovedCorner& m : kOrder) {
    const int x = m.right ? moved.right : moved.left;
    const int y = m.bottom ? moved.bottom : moved.top;
    if (std::abs(x - corner.canvas.x) > 1 || std::abs(y - corner.canvas.y) > 1) continue;
    const int left = m.right ? corner.device.x - movedDevice.Width() : corner.device.x;
    const int top = m.bottom ? corner.device.y - movedDevice.Height() : corner.device.y;
    return WindowSnap{corner.kind, moved.Translated(corner.canvas.x - x, corner.canvas.y - y),
                      Sized(left, top, movedDevice)};
  }
  return std::nullopt;
}

bool StrictlyBetween(int v, int low, int high) {
  return v > low && v < high;
}

}  // namespace

std::optional<WindowSnap> FindWindowSnap(const Rect& moved, const Rect& movedDevice,
                                         const Rect& other, const Rect& otherDevice,
                                         const ScalePair& pair) {
  const Corner corners[] = {
      {Kind::TopLeft, {other.left, other.top}, {otherDevice.left, otherDevice.top}},
      {Kind::BottomLeft, {other.left, other.bottom}, {otherDevice.left, otherDevice.bottom}},
      {Kind::TopRight, {other.right, other.top}, {otherDevice.right, otherDevice.top}},
      {Kind::BottomRight, {other.right, other.bottom}, {otherDevice.right, otherDevice.bottom}},
  };
  for (const Corner& corner : corners) {
    if (auto snap = SnapToCorner(corner, moved, movedDevice)) return snap;
  }

  // Across an edge snap the canvas rectangle already touches; only the
  // device edge is taken over, the other axis comes from the canvas.
  const Rect converted = pair.ToDevice(moved);
  const bool overlapY = StrictlyBetween(moved.bottom, other.top, other.bottom) ||
                        StrictlyBetween(other.bottom, moved.top, moved.bottom);
  const bool overlapX = StrictlyBetween(moved.right, other.left, other.right) ||
                        StrictlyBetween(other.right, moved.left, moved.right);
  const int width = movedDevice.Width();
  const int height = movedDevice.Height();
  auto atX = [&](Kind kind, int left) {
    return WindowSnap{kind, moved, Sized(left, converted.top, movedDevice)};
  };
  auto atY = [&](Kind kind, int top) {
    return WindowSnap{kind, moved, Sized(converted.left, top, movedDevice)};
  };
  if (overlapY) {
    if (moved.right == other.left) return atX(Kind::LeftEdge, otherDevice.left - width);
    if (moved.left == other.left) return atX(Kind::LeftEdge, otherDevice.left);
    if (moved.left == other.right) return atX(Kind::RightEdge, otherDevice.right);
    if (moved.right == other.right) return atX(Kind::RightEdge, otherDevice.right - width);
  }
  if (overlapX) {
    if (moved.bottom == other.bottom) return atY(Kind::BottomEdge, otherDevice.bottom - height);
    if (moved.top == other.bottom) return atY(Kind::BottomEdge, otherDevice.bottom);
    if (moved.bottom == other.top) return atY(Kind::TopEdge, otherDevice.top - height);
    if (moved.top == other.top) return atY(Kind::TopEdge, otherDevice.top);
  }
  return std::nullopt;
}

}  // namespace qv
