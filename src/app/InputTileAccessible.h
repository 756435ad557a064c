#pragma once
// One input tile of the input panel for assistive tools: a button named as
// the panel names the input (the operator's name, else the built-in label,
// which then becomes its description), checked while it feeds the panel's
// window. Pressing it does what a mouse press on the tile does.

#include <QAccessible>
#include <QPointer>

namespace qv {

class InputPanel;

class InputTileAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  InputTileAccessible(InputPanel* panel, int tile);

  InputPanel* panel() const { return panel_; }
  int tile() const { return tile_; }

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
  QPointer<InputPanel> panel_;
  int tile_;
};

}  // namespace qv
