#include "canvas/CCell.h"

#include <algorithm>

namespace qv {

Point CCell::ShownPosition() const {
  return {std::max(0, deviceRect_.left - origin_.x), std::max(0, deviceRect_.top - origin_.y)};
}

}  // namespace qv
