#include "oSliderEdit.h"

#include <QHBoxLayout>
#include <cmath>

#include "oBitmapSlider.h"
#include "oRealEdit.h"

namespace qv {

oSliderEdit::oSliderEdit(QWidget* parent)
    : QWidget(parent), slider_(new oBitmapSlider(this)), box_(new oRealEdit(this)) {
  box_->setFixedWidth(kBoxWidth);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  layout->addWidget(slider_, 1);
  layout->addWidget(box_);
  // A label naming the pair as its buddy sends its mnemonic to the box.
  setFocusProxy(box_);

  connect(box_, &oRealEdit::valueChanged, this, [this](double value) {
    if (!fromSlider_) slider_->SetPosition(static_cast<int>(std::lround(value * scale_)));
  });
  connect(box_, &oRealEdit::committed, this, &oSliderEdit::committed);
  connect(slider_, &oBitmapSlider::moved, this, &oSliderEdit::SliderMoved);
  // After a drag the box shows its value again, and the slider settles on it.
  connect(slider_, &oBitmapSlider::released, this, [this] { box_->SetValue(box_->value()); });
}

void oSliderEdit::SetUp(double value, double minimum, double maximum, bool enabled,
                        NumberFormat format) {
  scale_ = IsDecimal(format) ? 100 : 1;
  slider_->SetRange(static_cast<int>(std::lround(minimum * scale_)),
                    static_cast<int>(std::lround(maximum * scale_)));
  slider_->setEnabled(enabled);
  box_->SetUp(value, minimum, maximum, enabled, format);
}

void oSliderEdit::SetValue(double value) {
  box_->SetValue(value);
}

double oSliderEdit::value() const {
  return box_->value();
}

bool oSliderEdit::beingTyped() const {
  return box_->beingTyped();
}

void oSliderEdit::SliderMoved(int position) {
  fromSlider_ = true;
  box_->SetValue(static_cast<double>(position) / scale_);
  fromSlider_ = false;
  emit committed(box_->value());
}

}  // namespace qv
