#pragma once

namespace qv {

// The mouse cursor the canvas wants; the widget maps it onto the toolkit's.
enum class CursorShape {
  Arrow,
  Hand,
  WestEast,
  NorthSouth,
  NorthWestSouthEast,
  NorthEastSouthWest,
};

}  // namespace qv
