#include "CDropListAccessible.h"

#include "CDropList.h"
#include "CDropListItemAccessible.h"

namespace qv {

CDropListAccessible::CDropListAccessible(CDropList* list)
    : QAccessibleWidget(list, QAccessible::List) {}

CDropListAccessible::~CDropListAccessible() {
  for (const QAccessible::Id id : items_) {
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }
}

CDropList* CDropListAccessible::list() const {
  return static_cast<CDropList*>(widget());
}

QAccessibleInterface* CDropListAccessible::parent() const {
  return QAccessible::queryAccessibleInterface(list()->parentWidget());
}

// Lists go by their drop list's name.
QString CDropListAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
    if (const QAccessibleInterface* owner = parent()) return owner->text(QAccessible::Name);
  }
  return QAccessibleWidget::text(t);
}

int CDropListAccessible::childCount() const {
  return list()->isVisible() ? list()->count() : 0;
}

QAccessibleInterface* CDropListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (static_cast<std::size_t>(index) >= items_.size()) items_.resize(index + 1, 0);
  QAccessible::Id& id = items_[index];
  if (id == 0) {
    id = QAccessible::registerAccessibleInterface(new CDropListItemAccessible(list(), index));
  }
  return QAccessible::accessibleInterface(id);
}

int CDropListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* item = dynamic_cast<const CDropListItemAccessible*>(child);
  return item && item->parent() == this && item->index() < childCount() ? item->index() : -1;
}

QAccessibleInterface* CDropListAccessible::focusChild() const {
  return child(list()->hovered());
}

}  // namespace qv
