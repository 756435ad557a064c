#pragma once
// Pulling a dragged window's device edges onto the edges of the screen it
// lies on. Canvas pixels are several device pixels wide, so a window dragged
// to the screen's edge on the canvas would otherwise stop a few device pixels
// short of it or hang over it.

#include "canvas/HitZone.h"
#include "canvas/Rect.h"

namespace qv {

// Edges within this many device pixels of the screen's matching edge, or
// beyond it, are set onto it.
inline constexpr int kScreenEdgeReach = 2;

// `zone` is where the drag took hold: the edges or corners of a resize move
// only the edges they drag; `HitZone::Inside` (a move) shifts the whole
// window, keeping its size, onto the top, right, left and bottom edges in
// that order. The result is normalised and its left and top clamped at 0.
Rect AlignToScreenEdges(const Rect& window, const Rect& screen, HitZone zone);

}  // namespace qv
