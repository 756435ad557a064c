#include "oBitmapSliderAccessible.h"

#include "AccessibleName.h"
#include "oBitmapSlider.h"
#include "oRealEdit.h"
#include "oSliderEdit.h"

namespace qv {

oBitmapSliderAccessible::oBitmapSliderAccessible(oBitmapSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider) {}

oBitmapSlider* oBitmapSliderAccessible::slider() const {
  return static_cast<oBitmapSlider*>(widget());
}

QString oBitmapSliderAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return AccessibleName(*slider());
    case QAccessible::Value:
      // In a pair the slider works in hundredths of a decimal value; the
      // value read out is the one the box shows.
      if (auto* pair = qobject_cast<oSliderEdit*>(slider()->parentWidget())) {
        return pair->box().text();
      }
      return QString::number(slider()->position());
    default:
      return QAccessibleWidget::text(t);
  }
}

void* oBitmapSliderAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

QVariant oBitmapSliderAccessible::currentValue() const {
  return slider()->position();
}

void oBitmapSliderAccessible::setCurrentValue(const QVariant& value) {
  if (slider()->isEnabled()) slider()->MoveTo(value.toInt());
}

QVariant oBitmapSliderAccessible::maximumValue() const {
  return slider()->maximum();
}

QVariant oBitmapSliderAccessible::minimumValue() const {
  return slider()->minimum();
}

QVariant oBitmapSliderAccessible::minimumStepSize() const {
  return 1;
}

}  // namespace qv
