#pragma once
// The open list of a drop list for assistive tools: a list, child of its
// drop list rather than of the application (it is a popup window), with one
// list item per entry while it is open.

#include <QAccessibleWidget>
#include <vector>

namespace qv {

class CDropList;

class CDropListAccessible : public QAccessibleWidget {
 public:
  explicit CDropListAccessible(CDropList* list);
  ~CDropListAccessible() override;

  QAccessibleInterface* parent() const override;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;

 private:
  CDropList* list() const;

  // The items handed out, by entry: Qt's cache owns them, this interface
  // removes them with itself.
  mutable std::vector<QAccessible::Id> items_;
};

}  // namespace qv
