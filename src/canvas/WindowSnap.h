#pragma once
// Snapping a moved cell to another cell. On the canvas the rectangles only
// have to come within a pixel; the device rectangles are then made to touch
// exactly, so neighbouring windows on the processor neither overlap nor
// leave a gap, whatever the rounding of the scale.

#include <optional>

#include "canvas/Rect.h"
#include "canvas/ScalePair.h"
#include "canvas/SnapGuide.h"

namespace qv {

struct WindowSnap {
  SnapGuide::Kind kind = SnapGuide::Kind::None;
  Rect canvas;  // the moved canvas rectangle after the snap
  Rect device;  // its device rectangle, same device size as before

  bool operator==(const WindowSnap&) const = default;
};

// Tries the other cell's corners (top-left, bottom-left, top-right,
// bottom-right), where any corner of the moved rectangle within one pixel in
// both directions is pulled onto it, then its left, right, bottom and top
// edges, where an edge of the moved rectangle exactly on that line snaps if
// the two rectangles overlap along it. The first that holds applies. `pair`
// converts the moved rectangle's position across an edge snap.
std::optional<WindowSnap> FindWindowSnap(const Rect& movedCanvas, const Rect& movedDevice,
                                         const Rect& otherCanvas, const Rect& otherDevice,
                                         const ScalePair& pair);

}  // namespace qv
