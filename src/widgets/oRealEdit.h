#pragma once
// The numeric field every page uses: typing is filtered character by
// character (what is accepted depends on the caret and the selection, so a
// validator on the whole text would not do), and a value is committed on
// Enter, Esc or loss of focus, clamped to the field's range. A field losing
// the focus because the page disabled it commits nothing.

#include <QLineEdit>

#include "NumberFormat.h"

namespace qv {

class oRealEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit oRealEdit(QWidget* parent = nullptr);

  // The range is the smaller and the larger of the two limits. Shows `value`
  // without notifying.
  void SetUp(double value, double minimum, double maximum, bool enabled, NumberFormat format);
  // Shows `value` in the field's format, caret at the end, and commits it
  // without notifying (so it is clamped to the range).
  void SetValue(double value);
  // The same, unless the operator is typing into the field: a reply does not
  // overwrite what was typed.
  void ShowValue(double value);
  // The operator's caret is in the field and what it shows was typed.
  bool beingTyped() const { return hasFocus() && isModified(); }
  // Reads the text as a number and clamps it; a clamped value is written
  // back in the field's format. With `notify`, emits committed().
  void Commit(bool notify);

  double value() const { return value_; }
  double minimum() const { return minimum_; }
  double maximum() const { return maximum_; }
  NumberFormat format() const { return format_; }
  // The most characters the operator can type.
  int textLimit() const { return textLimit_; }
  // True until the operator's first edit.
  bool pristine() const { return pristine_; }

 signals:
  // The operator committed a value (Enter, Esc, loss of focus).
  void committed(double value);
  // After every commit, with or without notification (SetValue, the wheel).
  void valueChanged(double value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool Accepts(QChar c) const;
  void CommitFromKey();

  NumberFormat format_ = NumberFormat::Int;
  double minimum_ = 0;
  double maximum_ = 0;
  double value_ = 0;
  bool acceptsMinus_ = false;
  int textLimit_ = 1;
  bool pristine_ = true;
  // Set by a key that may change the text; the text change it causes is the
  // operator's edit, which ends the field's pristine state.
  bool typing_ = false;
  int wheelRemainder_ = 0;
};

// A numeric field set up with its range and format, and the label that names
// it, both with their control ids.
oRealEdit* MakeNumberField(QWidget* parent, int labelId, const QString& label,
                           const QRect& labelPlace, int id, const QRect& place, double minimum,
                           double maximum, NumberFormat format = NumberFormat::Int,
                           bool enabled = true);

}  // namespace qv
