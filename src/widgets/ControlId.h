#pragma once
// Control ids: the number a language file uses to re-text a control
// ("IDS_<id>"). The ids are fixed by the language files the processor
// family's consoles share: a page gives each labelled control its id there,
// so that those files keep working.

#include <QRect>

class QLabel;
class QPushButton;
class QString;
class QWidget;

namespace qv {

void SetControlId(QWidget& control, int id);
// 0 for a control without an id.
int ControlId(const QWidget& control);

// A push button with a control id (0 for none), placed at `geometry` when
// valid. Tab reaches it and Space presses it, but a click leaves the focus
// where it was, and Enter and Esc pass on to the window (which never closes
// on them).
QPushButton* MakeButton(QWidget* parent, int id, const QString& text, const QRect& geometry = {});
// A label with a control id, placed at `geometry`.
QLabel* MakeLabel(QWidget* parent, int id, const QString& text, const QRect& geometry);

// A control of type W with a control id, placed at `geometry`.
template <typename W>
W* MakeControl(QWidget* parent, int id, const QRect& geometry) {
  auto* w = new W(parent);
  SetControlId(*w, id);
  w->setGeometry(geometry);
  return w;
}

}  // namespace qv
