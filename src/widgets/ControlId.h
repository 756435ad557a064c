#pragma once
// Control ids: the number a language file uses to re-text a control
// ("IDS_<id>"). Pages give their labelled controls the ids of the original
// dialog templates so that existing language files keep working.

class QWidget;

namespace qv {

void SetControlId(QWidget& control, int id);
// 0 for a control without an id.
int ControlId(const QWidget& control);

}  // namespace qv
