#pragma once
// The part of a cell's canvas rectangle under a point: one of its edges or
// corners (a 5-pixel band, where a press resizes), the interior (a press
// moves), or outside.

#include "canvas/CursorShape.h"
#include "canvas/Rect.h"

namespace qv {

enum class HitZone {
  LeftEdge,
  TopEdge,
  RightEdge,
  BottomEdge,
  Inside,
  TopLeft,
  BottomLeft,
  TopRight,
  BottomRight,
  None,
};

// Bounds are inclusive, right and bottom included, and the edges are tried
// before the interior and the corners: a point 5 pixels in from both the left
// and the top is on the left edge.
HitZone HitZoneAt(const Rect& cell, Point p);

// True for the edges and corners, where a press resizes.
bool IsResizeZone(HitZone zone);

// The edges of the rectangle that follow the cursor when the drag took hold
// in `zone`: one for an edge, two for a corner, none otherwise.
struct DraggedEdges {
  bool left = false;
  bool top = false;
  bool right = false;
  bool bottom = false;
};
DraggedEdges DraggedEdgesOf(HitZone zone);

CursorShape CursorFor(HitZone zone);

}  // namespace qv
