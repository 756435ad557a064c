#include "canvas/HitZone.h"

namespace qv {
namespace {

constexpr int kBand = 5;

bool Within(int v, int low, int high) {
  return v >= low && v <= high;
}

}  // namespace

HitZone HitZoneAt(const Rect& c, Point p) {
  const bool leftBand = Within(p.x, c.left, c.left + kBand);
  const bool rightBand = Within(p.x, c.right - kBand, c.right);
  const bool middleX = Within(p.x, c.left + kBand, c.right - kBand);
  const bool topBand = Within(p.y, c.top, c.top + kBand);
  const bool bottomBand = Within(p.y, c.bottom - kBand, c.bottom);
  const bool middleY = Within(p.y, c.top + kBand, c.bottom - kBand);
  if (leftBand && middleY) return HitZone::LeftEdge;
  if (middleX && topBand) return HitZone::TopEdge;
  if (rightBand && middleY) return HitZone::RightEdge;
  if (middleX && bottomBand) return HitZone::BottomEdge;
  if (middleX && middleY) return HitZone::Inside;
  if (leftBand && topBand) return HitZone::TopLeft;
  if (leftBand && bottomBand) return HitZone::BottomLeft;
  if (rightBand && topBand) return HitZone::TopRight;
  if (rightBand && bottomBand) return HitZone::BottomRight;
  return HitZone::None;
}

bool IsResizeZone(HitZone zone) {
  return zone != HitZone::Inside && zone != HitZone::None;
}

DraggedEdges DraggedEdgesOf(HitZone zone) {
  DraggedEdges e;
  e.left = zone == HitZone::LeftEdge || zone == HitZone::TopLeft || zone == HitZone::BottomLeft;
  e.top = zone == HitZone::TopEdge || zone == HitZone::TopLeft || zone == HitZone::TopRight;
  e.right = zone == HitZone::RightEdge || zone == HitZone::TopRight || zone == HitZone::BottomRight;
  e.bottom =
      zone == HitZone::BottomEdge || zone == HitZone::BottomLeft || zone == HitZone::BottomRight;
  return e;
}

CursorShape CursorFor(HitZone zone) {
  switch (zone) {
    case HitZone::LeftEdge:
    case HitZone::RightEdge:
      return CursorShape::WestEast;
    case HitZone::TopEdge:
    case HitZone::BottomEdge:
      return CursorShape::NorthSouth;
    case HitZone::Inside:
      return CursorShape::Hand;
    case HitZone::TopLeft:
    case HitZone::BottomRight:
      return CursorShape::NorthWestSouthEast;
    case HitZone::BottomLeft:
    case HitZone::TopRight:
      return CursorShape::NorthEastSouthWest;
    case HitZone::None:
      break;
  }
  return CursorShape::Arrow;
}

}  // namespace qv
