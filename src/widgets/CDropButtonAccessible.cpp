#include "CDropButtonAccessible.h"

#include "AccessibleName.h"
#include "CDropButton.h"

namespace qv {

CDropButtonAccessible::CDropButtonAccessible(CDropButton* drop)
    : QAccessibleWidget(drop, QAccessible::ComboBox) {}

CDropButton* CDropButtonAccessible::drop() const {
  return static_cast<CDropButton*>(widget());
}

QString CDropButtonAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return AccessibleName(*drop());
    case QAccessible::Value:
      return drop()->selectedText().trimmed();
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State CDropButtonAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.hasPopup = true;
  s.expandable = true;
  s.expanded = drop()->list().isVisible();
  s.collapsed = !s.expanded;
  return s;
}

// The list is a popup window of its own, which Qt does not count among the
// box's children.
int CDropButtonAccessible::childCount() const {
  return 1;
}

QAccessibleInterface* CDropButtonAccessible::child(int index) const {
  return index == 0 ? QAccessible::queryAccessibleInterface(&drop()->list()) : nullptr;
}

int CDropButtonAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return child && child->object() == &drop()->list() ? 0 : -1;
}

QStringList CDropButtonAccessible::actionNames() const {
  return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void CDropButtonAccessible::doAction(const QString& actionName) {
  if (actionName == showMenuAction() || actionName == pressAction()) {
    drop()->ShowList();
    return;
  }
  QAccessibleWidget::doAction(actionName);
}

}  // namespace qv
