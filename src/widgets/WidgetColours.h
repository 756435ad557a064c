#pragma once
// The console's palette: near-black grounds, orange accents, light text, in
// the manner of broadcast control surfaces. Every control, page and drawing
// takes its colours from here, and the application's style sheet is written
// from them, so that pages look alike and a colour changes in one place.

#include <QColor>

namespace qv::colours {

// Grounds and frames.
inline const QColor kGround{16, 16, 16};  // page and field background
inline const QColor kSunken{24, 24, 24};  // pressed buttons, the name box
inline const QColor kDisabledFace{28, 28, 28};
inline const QColor kRaised{32, 32, 32};  // list boxes, tiles
inline const QColor kButton{40, 40, 40};  // push buttons, caption bands
inline const QColor kButtonHover{56, 56, 56};
inline const QColor kRaisedHover{48, 48, 48};
inline const QColor kSeparator{48, 48, 48};
inline const QColor kDisabledLine{44, 44, 44};
inline const QColor kFrame{64, 64, 64};    // the waiting notice's frame
inline const QColor kLine{72, 72, 72};     // frames, channel edges
inline const QColor kShade{0, 0, 0, 110};  // over a window that waits

// Text and accents.
inline const QColor kAccent{239, 156, 0};  // titles, values, "on"
inline const QColor kAccentBright{255, 190, 60};
inline const QColor kAccentHover{255, 172, 24};
inline const QColor kAccentPressed{180, 116, 0};
inline const QColor kAccentGround{40, 34, 22};  // under an accent mark
inline const QColor kText{235, 235, 235};
inline const QColor kTextBright{255, 255, 255};
inline const QColor kTextSoft{200, 200, 200};  // icons, the slider's thumb
inline const QColor kTextDim{110, 110, 110};   // disabled and greyed entries

// Lamps: a link or processor that answers, an input with a signal.
inline const QColor kLampOn{40, 220, 80};
inline const QColor kLampOff{70, 70, 70};
inline const QColor kLampRim{10, 10, 10};
inline const QColor kSignalOn{60, 220, 90};
inline const QColor kSignalOff{96, 96, 96};

// TAKE: what goes to air.
inline const QColor kTake{160, 24, 24};
inline const QColor kTakePressed{110, 16, 16};

// The layout canvas, and the switcher's preview and program frames.
inline const QColor kScreenFill{0, 77, 235};
inline const QColor kScreenName{0, 128, 0};
inline const QColor kCellFrame{192, 192, 192};
inline const QColor kCellSelected{255, 0, 0};
inline const QColor kCellFill{0, 0, 0};
inline const QColor kOverlap{0, 128, 192};
inline const QColor kCellTitle{64, 64, 64};
inline const QColor kPreviewFrame{0, 255, 0};
inline const QColor kProgramFrame{255, 0, 0};
inline const QColor kOverlayLabel{255, 0, 0};  // the video labels, in red

}  // namespace qv::colours
