#pragma once
// Control ids: the number a language file uses to re-text a control
// ("IDS_<id>"). Pages give their labelled controls the ids of the original
// dialog templates so that existing language files keep working.

#include <QRect>

class QPushButton;
class QString;
class QWidget;

namespace qv {

void SetControlId(QWidget& control, int id);
// 0 for a control without an id.
int ControlId(const QWidget& control);

// A push button with a control id (0 for none) that takes no keyboard focus,
// so that Enter and Esc stay with the window; placed at `geometry` when valid.
QPushButton* MakeButton(QWidget* parent, int id, const QString& text, const QRect& geometry = {});

}  // namespace qv
