#pragma once
// Device pixels per canvas pixel, horizontally and vertically, and the two
// conversions between device and canvas rectangles. The rounding rules are
// part of what the processor receives: a window dragged on the canvas is sent
// as the device rectangle these conversions produce.

#include <optional>

#include "canvas/Rect.h"

namespace qv {

class ScalePair {
 public:
  // The zoom the page starts with.
  static constexpr double kDefaultFactor = 6.0;

  ScalePair() = default;
  // Nothing for a factor that is zero, negative, not finite, or out of single
  // precision's range: the device-to-canvas direction divides by it in
  // single precision.
  static std::optional<ScalePair> FromFactors(double x, double y);

  double x() const { return x_; }
  double y() const { return y_; }

  // In single precision. A device left or top below 2 shows at canvas 0 and
  // the far edge then keeps the device width; a far edge within 2 pixels of
  // the client size lands on it, and never beyond it.
  Rect ToCanvas(const Rect& device, int clientWidth, int clientHeight) const;
  // In double precision. Canvas 0 and 1 both give device 0, so a rectangle
  // can be pushed onto the origin; width and height are converted on their
  // own and added to the converted left and top.
  Rect ToDevice(const Rect& canvas) const;

  bool operator==(const ScalePair&) const = default;

 private:
  ScalePair(double x, double y) : x_(x), y_(y) {}

  double x_ = kDefaultFactor;
  double y_ = kDefaultFactor;
};

}  // namespace qv
