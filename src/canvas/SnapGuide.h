#pragma once

#include "canvas/Rect.h"

namespace qv {

// What the last drag step snapped to, for the canvas to mark: a line along
// one edge of the other cell, or a small square at one of its corners.
struct SnapGuide {
  enum class Kind {
    None,
    LeftEdge,
    TopEdge,
    RightEdge,
    BottomEdge,
    TopLeft,
    BottomLeft,
    TopRight,
    BottomRight,
  };

  Kind kind = Kind::None;
  Rect target;  // canvas rectangle of the cell snapped to

  bool operator==(const SnapGuide&) const = default;
};

}  // namespace qv
