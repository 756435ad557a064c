#pragma once

namespace qv {

// A position in canvas pixels.
struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

}  // namespace qv
