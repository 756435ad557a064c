#pragma once
// A slider coupled to a numeric field. The slider works in whole positions,
// value x scale, with scale 100 for a decimal field and 1 otherwise; each
// shows what the other is set to.

#include <QWidget>

#include "NumberFormat.h"

namespace qv {

class oBitmapSlider;
class oRealEdit;

class oSliderEdit : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBoxWidth = 58;

  explicit oSliderEdit(QWidget* parent = nullptr);

  // As oRealEdit::SetUp; the slider's range becomes minimum x scale to
  // maximum x scale.
  void SetUp(double value, double minimum, double maximum, bool enabled, NumberFormat format);
  // Shows `value` in both without notifying.
  void SetValue(double value);

  double value() const;
  bool beingTyped() const;
  int scale() const { return scale_; }
  oBitmapSlider& slider() { return *slider_; }
  oRealEdit& box() { return *box_; }

 signals:
  // The operator committed a value in the box, dragged the slider to a new
  // position or moved it with a key.
  void committed(double value);

 private:
  void SliderMoved(int position);

  oBitmapSlider* slider_;
  oRealEdit* box_;
  int scale_ = 1;
  // Set while the slider writes into the box, so that the box's value (which
  // its format may round) does not move the slider back.
  bool fromSlider_ = false;
};

}  // namespace qv
