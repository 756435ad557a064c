#pragma once

namespace qv {

// Names one cell of a canvas for as long as the cell exists. Window ids are
// not enough: every screen carries the same id.
enum class CellHandle : int {};

}  // namespace qv
