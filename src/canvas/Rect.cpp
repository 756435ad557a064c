#include "canvas/Rect.h"

#include <algorithm>

namespace qv {

Rect Rect::Normalized() const {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right),
          std::max(top, bottom)};
}

Rect Rect::Intersected(const Rect& other) const {
  const Rect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

Rect Rect::ClampedAtOrigin() const {
  return {std::max(left, 0), std::max(top, 0), right, bottom};
}

}  // namespace qv
