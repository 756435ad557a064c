#pragma once
// One entry of an open drop list for assistive tools: a list item named by
// its text, selected when it is the chosen entry, unavailable when greyed.
// Pressing it picks it, as a click on its row does.

#include <QAccessible>
#include <QPointer>

namespace qv {

class CDropList;

class CDropListItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  CDropListItemAccessible(CDropList* list, int index);

  int index() const { return index_; }

  bool isValid() const override;
  QObject* object() const override;
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text t, const QString& text) override;
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

 private:
  QPointer<CDropList> list_;
  int index_;
};

}  // namespace qv
