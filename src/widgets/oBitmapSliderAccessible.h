#pragma once
// A slider for assistive tools: named by its label (in an oSliderEdit, the
// pair's), with its position as the value. Setting the value moves it as a
// key would, so the move is reported and an oSliderEdit commits it.

#include <QAccessibleWidget>

namespace qv {

class oBitmapSlider;

class oBitmapSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit oBitmapSliderAccessible(oBitmapSlider* slider);

  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

 private:
  oBitmapSlider* slider() const;
};

}  // namespace qv
