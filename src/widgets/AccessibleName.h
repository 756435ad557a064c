#pragma once
// What names a control for assistive tools (screen readers, GUI test tools
// through AT-SPI). A control is named by its label, as a sighted operator
// reads it: a label set with SetAccessibleLabel, else a QLabel whose buddy it
// is. A control with no label of its own takes the label of the composite it
// is part of (the slider and the box of an oSliderEdit share the pair's
// label), and failing that the caption of the nearest enclosing CSxGroupBox,
// which is how a drop list alone in a group reads. The text is read when
// asked for, so a language switch renames every control with its label.

#include <QString>

class QLabel;
class QWidget;

namespace qv {

// The text of the label that names `control`, mnemonic marks removed and
// blanks trimmed; empty when it has none.
QString LabelText(const QWidget& control);

// Names `control` by `label` where making the label its buddy is awkward
// (the label's mnemonic is meant to focus another widget). Takes precedence
// over buddies; a null label, or a label since deleted, removes it.
void SetAccessibleLabel(QWidget& control, QLabel* label);

// The name a page set with QWidget::setAccessibleName, else LabelText.
QString AccessibleName(const QWidget& control);

}  // namespace qv
