#pragma once
// Readable rectangles and points in test failures.

#include <ostream>

#include "canvas/Point.h"
#include "canvas/Rect.h"

namespace qv {

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}

}  // namespace qv
