#include "NameBox.h"

#include <QKeyEvent>

namespace qv {

NameBox::NameBox(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(kMaxLength);
  setFrame(false);
  setObjectName("nameBox");
  setAccessibleName(QStringLiteral("Name"));
  hide();
}

void NameBox::Open(const QRect& area, const QString& text) {
  setGeometry(area);
  setText(text);
  selectAll();
  show();
  raise();
  setFocus(Qt::MouseFocusReason);
}

void NameBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    emit committed();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace qv
