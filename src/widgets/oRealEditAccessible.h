#pragma once
// A numeric field for assistive tools: editable text named by its label,
// falling back to its group's caption like every value control. Qt's own
// line edit interface cannot be named that way, so this one stands in for
// it. The text can be read but not written: an editable text interface would
// let a tool set text the field's key filter refuses, so text arrives only
// as typed keys.

#include <QAccessibleWidget>

namespace qv {

class oRealEdit;

class oRealEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit oRealEditAccessible(oRealEdit* edit);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  oRealEdit* edit() const;
};

}  // namespace qv
