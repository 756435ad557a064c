#include "oRealEditAccessible.h"

#include "AccessibleName.h"
#include "oRealEdit.h"

namespace qv {

oRealEditAccessible::oRealEditAccessible(oRealEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

oRealEdit* oRealEditAccessible::edit() const {
  return static_cast<oRealEdit*>(widget());
}

QString oRealEditAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return AccessibleName(*edit());
    case QAccessible::Value:
      return edit()->text();
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State oRealEditAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  if (edit()->isReadOnly()) {
    s.readOnly = true;
  } else {
    s.editable = true;
  }
  s.selectableText = true;
  return s;
}

void* oRealEditAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

void oRealEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !edit()->hasSelectedText()) return;
  *startOffset = edit()->selectionStart();
  *endOffset = edit()->selectionEnd();
}

int oRealEditAccessible::selectionCount() const {
  return edit()->hasSelectedText() ? 1 : 0;
}

void oRealEditAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void oRealEditAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) edit()->deselect();
}

void oRealEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) edit()->setSelection(startOffset, endOffset - startOffset);
}

int oRealEditAccessible::cursorPosition() const {
  return edit()->cursorPosition();
}

void oRealEditAccessible::setCursorPosition(int position) {
  edit()->setCursorPosition(position);
}

QString oRealEditAccessible::text(int startOffset, int endOffset) const {
  return edit()->text().mid(startOffset, endOffset - startOffset);
}

int oRealEditAccessible::characterCount() const {
  return static_cast<int>(edit()->text().size());
}

// QLineEdit keeps where each character is drawn to itself; a tool asking
// gets "unknown", which the text interface allows.
QRect oRealEditAccessible::characterRect(int) const {
  return {};
}

int oRealEditAccessible::offsetAtPoint(const QPoint& point) const {
  return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

// The field is a few characters wide: its text is always in view.
void oRealEditAccessible::scrollToSubstring(int, int) {}

QString oRealEditAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

}  // namespace qv
