#pragma once
// A rectangle in canvas or device pixels. Right and bottom lie just outside
// the rectangle, so a rectangle 0..1920 is 1920 pixels wide.

#include "canvas/Point.h"

namespace qv {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

  Rect Normalized() const;
  Rect Translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // All zero when the two do not overlap.
  Rect Intersected(const Rect& other) const;
  bool Intersects(const Rect& other) const { return !Intersected(other).IsEmpty(); }
  // Left and top below 0 become 0; right and bottom stay, so the rectangle
  // loses what lay left of or above the origin.
  Rect ClampedAtOrigin() const;

  bool operator==(const Rect&) const = default;
};

}  // namespace qv
