#include "CGdipButtonAccessible.h"

#include "AccessibleName.h"
#include "CGdipButton.h"

namespace qv {

CGdipButtonAccessible::CGdipButtonAccessible(CGdipButton* button)
    : QAccessibleWidget(button, QAccessible::CheckBox) {}

CGdipButton* CGdipButtonAccessible::button() const {
  return static_cast<CGdipButton*>(widget());
}

QString CGdipButtonAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name) return QAccessibleWidget::text(t);
  for (const QString& name :
       {button()->accessibleName(), button()->text().trimmed(), button()->toolTip().trimmed()}) {
    if (!name.isEmpty()) return name;
  }
  return LabelText(*button());
}

QAccessible::State CGdipButtonAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.checkable = true;
  s.checked = button()->isChecked();
  s.pressed = button()->isDown();
  return s;
}

QStringList CGdipButtonAccessible::actionNames() const {
  return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
}

void CGdipButtonAccessible::doAction(const QString& actionName) {
  if (actionName != pressAction() && actionName != toggleAction()) {
    QAccessibleWidget::doAction(actionName);
    return;
  }
  button()->click();  // nothing while disabled
}

}  // namespace qv
