#pragma once
// One entry of an open drop list for assistive tools: a list item named by
// its text, selected when it is the chosen entry, unavailable when greyed.
// Pressing it picks it, as a click on its row does.

#include <QPointer>

#include "ItemAccessible.h"

namespace qv {

class CDropList;

class CDropListItemAccessible final : public ItemAccessible {
 public:
  CDropListItemAccessible(CDropList* list, int index);

  int index() const { return index_; }

  bool isValid() const override;
  QString text(QAccessible::Text t) const override;
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override;

 private:
  void Press() override;

  QPointer<CDropList> list_;
  int index_;
};

}  // namespace qv
