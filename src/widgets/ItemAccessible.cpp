#include "widgets/ItemAccessible.h"

#include <QWindow>

namespace qv {

QWindow* ItemAccessible::window() const {
  return owner_ ? owner_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* ItemAccessible::parent() const {
  return QAccessible::queryAccessibleInterface(owner_.data());
}

void* ItemAccessible::interface_cast(QAccessible::InterfaceType t) {
  return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                           : nullptr;
}

void ItemAccessible::doAction(const QString& actionName) {
  if (actionName == pressAction() && isValid()) Press();
}

QRect ItemAccessible::OnScreen(const QRect& area) const {
  if (!owner_) return {};
  return {owner_->mapToGlobal(area.topLeft()), area.size()};
}

}  // namespace qv
