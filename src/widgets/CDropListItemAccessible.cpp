#include "CDropListItemAccessible.h"

#include "CDropList.h"

namespace qv {

CDropListItemAccessible::CDropListItemAccessible(CDropList* list, int index)
    : list_(list), index_(index) {}

bool CDropListItemAccessible::isValid() const {
  return list_ && index_ < list_->count();
}

QObject* CDropListItemAccessible::object() const {
  return nullptr;
}

QWindow* CDropListItemAccessible::window() const {
  return list_ ? list_->windowHandle() : nullptr;
}

QAccessibleInterface* CDropListItemAccessible::parent() const {
  return QAccessible::queryAccessibleInterface(list_.data());
}

QAccessibleInterface* CDropListItemAccessible::child(int) const {
  return nullptr;
}

int CDropListItemAccessible::childCount() const {
  return 0;
}

int CDropListItemAccessible::indexOfChild(const QAccessibleInterface*) const {
  return -1;
}

QAccessibleInterface* CDropListItemAccessible::childAt(int, int) const {
  return nullptr;
}

QAccessibleInterface* CDropListItemAccessible::focusChild() const {
  return nullptr;
}

QString CDropListItemAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name || !isValid()) return {};
  return list_->entry(index_).text.trimmed();
}

void CDropListItemAccessible::setText(QAccessible::Text, const QString&) {}

QRect CDropListItemAccessible::rect() const {
  if (!isValid()) return {};
  const QRect row = list_->rowRect(index_);
  return {list_->mapToGlobal(row.topLeft()), row.size()};
}

QAccessible::Role CDropListItemAccessible::role() const {
  return QAccessible::ListItem;
}

QAccessible::State CDropListItemAccessible::state() const {
  QAccessible::State s;
  if (!isValid()) {
    s.invalid = true;
    return s;
  }
  s.invisible = !list_->isVisible();
  s.disabled = list_->entry(index_).greyed;
  s.selectable = s.focusable = !s.disabled;
  s.selected = index_ == list_->selected();
  s.focused = index_ == list_->hovered() && list_->isVisible();
  return s;
}

void* CDropListItemAccessible::interface_cast(QAccessible::InterfaceType t) {
  return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                           : nullptr;
}

QStringList CDropListItemAccessible::actionNames() const {
  return {pressAction()};
}

void CDropListItemAccessible::doAction(const QString& actionName) {
  if (actionName == pressAction() && isValid() && list_->isVisible()) list_->Pick(index_);
}

QStringList CDropListItemAccessible::keyBindingsForAction(const QString&) const {
  return {};
}

}  // namespace qv
