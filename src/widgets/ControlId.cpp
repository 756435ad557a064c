#include "ControlId.h"

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

}  // namespace qv
