#pragma once
// A two-state image button for assistive tools: a check box named by its
// text, or by its tooltip when it is a picture alone. Pressing or toggling
// it through the action interface clicks it, so the page's clicked() handler
// sees the new state and may refuse it, as with a mouse click; Qt's own
// toggle action would only set the state.

#include <QAccessibleWidget>

namespace qv {

class CGdipButton;

class CGdipButtonAccessible : public QAccessibleWidget {
 public:
  explicit CGdipButtonAccessible(CGdipButton* button);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  CGdipButton* button() const;
};

}  // namespace qv
