#pragma once
#include <cstdint>

namespace qv {

// A decoded preview picture as renderers get it: planar 4:2:0 with rows at
// the given pitches, `height` rows of Y and (height + 1) / 2 rows of
// U and V. Its size is the decoded one, which may differ from the preview
// frame size a renderer was made for; a renderer reads nothing beyond it.
struct Picture {
  const uint8_t* y = nullptr;
  const uint8_t* u = nullptr;
  const uint8_t* v = nullptr;
  int width = 0;
  int height = 0;
  int yPitch = 0;   // bytes from one Y row to the next, at least width
  int uvPitch = 0;  // bytes from one U or V row to the next, at least (width + 1) / 2
};

}  // namespace qv
