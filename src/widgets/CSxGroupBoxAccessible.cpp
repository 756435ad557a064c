#include "CSxGroupBoxAccessible.h"

#include "CSxGroupBox.h"

namespace qv {

CSxGroupBoxAccessible::CSxGroupBoxAccessible(CSxGroupBox* box)
    : QAccessibleWidget(box, QAccessible::Grouping) {}

QString CSxGroupBoxAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
    return static_cast<const CSxGroupBox*>(widget())->caption().trimmed();
  }
  return QAccessibleWidget::text(t);
}

}  // namespace qv
