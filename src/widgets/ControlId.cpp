#include "ControlId.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <QWidget>

namespace qv {

namespace {
constexpr char kProperty[] = "controlId";
}  // namespace

void SetControlId(QWidget& control, int id) {
  control.setProperty(kProperty, id);
}

int ControlId(const QWidget& control) {
  return control.property(kProperty).toInt();
}

QPushButton* MakeButton(QWidget* parent, int id, const QString& text, const QRect& geometry) {
  auto* button = new QPushButton(text, parent);
  if (id != 0) SetControlId(*button, id);
  button->setFocusPolicy(Qt::TabFocus);
  if (geometry.isValid()) button->setGeometry(geometry);
  return button;
}

QLabel* MakeLabel(QWidget* parent, int id, const QString& text, const QRect& geometry) {
  auto* label = MakeControl<QLabel>(parent, id, geometry);
  label->setText(text);
  return label;
}

}  // namespace qv
