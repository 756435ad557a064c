#pragma once
// The console's palette: near-black grounds, orange accents, light text, in
// the manner of broadcast control surfaces. Every control takes its colours
// from here so that pages look alike.

#include <QColor>

namespace qv::colours {

inline const QColor kGround{16, 16, 16};  // page and field background
inline const QColor kRaised{32, 32, 32};  // buttons, list boxes
inline const QColor kRaisedHover{48, 48, 48};
inline const QColor kLine{72, 72, 72};     // frames, channel edges
inline const QColor kAccent{239, 156, 0};  // titles, values, "on"
inline const QColor kText{235, 235, 235};
inline const QColor kTextDim{110, 110, 110};  // disabled and greyed entries

}  // namespace qv::colours
