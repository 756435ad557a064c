#include "canvas/ScalePair.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace qv {
namespace {

// A rounded value out of int range (a tiny or huge factor) is pinned to the
// range instead of overflowing.
int Saturate(double rounded) {
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

bool UsableFactor(double factor) {
  const float single = static_cast<float>(factor);
  return std::isfinite(single) && single > 0.0f;
}

struct CanvasSpan {
  int nearEdge;
  int farEdge;
};

CanvasSpan ToCanvasAxis(int deviceNear, int deviceFar, double factor, int client) {
  const float scale = static_cast<float>(factor);
  int nearEdge = 0;
  float nearQuotient = 0.0f;
  if (deviceNear >= 2) {
    nearQuotient = static_cast<float>(deviceNear) / scale;
    nearEdge = Saturate(std::floor(static_cast<double>(nearQuotient) + 0.5));
  }
  const float span = static_cast<float>(static_cast<std::int64_t>(deviceFar) - deviceNear) / scale;
  int farEdge = Saturate(std::trunc(static_cast<double>(span + nearQuotient) + 0.5));
  if (std::llabs(static_cast<std::int64_t>(farEdge) - client) < 2) farEdge = client;
  return {nearEdge, std::min(farEdge, client)};
}

CanvasSpan ToDeviceAxis(int canvasNear, int canvasFar, double factor) {
  const int nearEdge =
      canvasNear < 2 ? 0 : Saturate(std::trunc(static_cast<double>(canvasNear) * factor + 0.5));
  const double span =
      std::trunc((static_cast<double>(canvasFar) - static_cast<double>(canvasNear)) * factor + 0.5);
  return {nearEdge, Saturate(static_cast<double>(nearEdge) + span)};
}

}  // namespace

std::optional<ScalePair> ScalePair::FromFactors(double x, double y) {
  if (!UsableFactor(x) || !UsableFactor(y)) return std::nullopt;
  return ScalePair(x, y);
}

Rect ScalePair::ToCanvas(const Rect& device, int clientWidth, int clientHeight) const {
  const CanvasSpan h = ToCanvasAxis(device.left, device.right, x_, clientWidth);
  const CanvasSpan v = ToCanvasAxis(device.top, device.bottom, y_, clientHeight);
  return Rect{h.nearEdge, v.nearEdge, h.farEdge, v.farEdge}.Normalized();
}

Rect ScalePair::ToDevice(const Rect& canvas) const {
  const CanvasSpan h = ToDeviceAxis(canvas.left, canvas.right, x_);
  const CanvasSpan v = ToDeviceAxis(canvas.top, canvas.bottom, y_);
  return Rect{h.nearEdge, v.nearEdge, h.farEdge, v.farEdge}.Normalized();
}

}  // namespace qv
