#pragma once

namespace qv {

// What the left button is doing on the canvas since it went down.
enum class DragMode {
  None,
  RubberBand,  // pressed on empty canvas: a focus rectangle that selects nothing
  Move,
  Resize,
};

}  // namespace qv
