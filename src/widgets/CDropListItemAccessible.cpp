#include "CDropListItemAccessible.h"

#include "CDropList.h"

namespace qv {

CDropListItemAccessible::CDropListItemAccessible(CDropList* list, int index)
    : ItemAccessible(list), list_(list), index_(index) {}

bool CDropListItemAccessible::isValid() const {
  return list_ && index_ < list_->count();
}

QString CDropListItemAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name || !isValid()) return {};
  return list_->entry(index_).text.trimmed();
}

QRect CDropListItemAccessible::rect() const {
  if (!isValid()) return {};
  return OnScreen(list_->rowRect(index_));
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

void CDropListItemAccessible::Press() {
  if (list_->isVisible()) list_->Pick(index_);
}

}  // namespace qv
