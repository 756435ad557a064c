#include "logic/crop/CropArea.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Start and size along one axis of `total` pixels.
void Limit(int& start, int& size, int total) {
  if (total <= 0) return;
  start = std::clamp(start, 0, std::max(0, total - size));
  size = std::min(size, total - start);
}

int RoundHalfUp(double value) {
  return static_cast<int>(std::floor(value + 0.5));
}

}  // namespace

CropArea CropArea::Limited(int hTotal, int vTotal) const {
  CropArea a = *this;
  Limit(a.hStart, a.width, hTotal);
  Limit(a.vStart, a.height, vTotal);
  return a;
}

Rect CropArea::InPreview(int hTotal, int vTotal, int frameWidth, int frameHeight) const {
  const double sx = frameWidth > 0 && hTotal > 0 ? static_cast<double>(hTotal) / frameWidth : 1.0;
  const double sy = frameHeight > 0 && vTotal > 0 ? static_cast<double>(vTotal) / frameHeight : 1.0;
  const int left = RoundHalfUp(hStart / sx);
  const int top = RoundHalfUp(vStart / sy);
  return Rect{left, top, left + RoundHalfUp(width / sx), top + RoundHalfUp(height / sy)}
      .Normalized();
}

}  // namespace qv
