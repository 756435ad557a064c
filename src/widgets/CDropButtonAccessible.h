#pragma once
// A drop list for assistive tools: a combo box named by its label (or its
// group's caption), whose value is the chosen entry, expanded while its list
// is open. Its one child is the list. Pressing it opens the list, as a click
// does.

#include <QAccessibleWidget>

namespace qv {

class CDropButton;

class CDropButtonAccessible : public QAccessibleWidget {
 public:
  explicit CDropButtonAccessible(CDropButton* drop);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  CDropButton* drop() const;
};

}  // namespace qv
