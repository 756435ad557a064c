#pragma once
// An item a custom-painted widget draws for itself (an input tile, an entry
// of an open drop list), as assistive tools see it: no object or children of
// its own, one press action. A kind of item says what it is called, where
// it lies, its role and state, and what a press does.

#include <QAccessible>
#include <QPointer>
#include <QWidget>

namespace qv {

class ItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  explicit ItemAccessible(QWidget* owner) : owner_(owner) {}

  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  void* interface_cast(QAccessible::InterfaceType t) override;

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 protected:
  // The item's press, once it is known to be valid.
  virtual void Press() = 0;
  // `area` of the owner, on the screen.
  QRect OnScreen(const QRect& area) const;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace qv
