#include "AccessibleName.h"

#include <QLabel>
#include <QPointer>
#include <QVariant>

#include "CSxGroupBox.h"

namespace qv {

namespace {

constexpr char kLabelProperty[] = "qvAccessibleLabel";

QLabel* ExplicitLabel(const QWidget& control) {
  return control.property(kLabelProperty).value<QPointer<QLabel>>();
}

// A label shows '&' as a mnemonic mark only while it has a buddy; "&&" is a
// literal '&' then.
QString ReadLabel(const QLabel& label) {
  const QString text = label.text();
  if (!label.buddy()) return text.trimmed();
  QString read;
  read.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && ++i == text.size()) break;
    read += text[i];
  }
  return read.trimmed();
}

}  // namespace

QString LabelText(const QWidget& control) {
  const QList<QLabel*> labels = control.window()->findChildren<QLabel*>();
  for (const QWidget* w = &control; w; w = w->parentWidget()) {
    if (const QLabel* label = ExplicitLabel(*w)) return ReadLabel(*label);
    for (const QLabel* label : labels) {
      if (label->buddy() == w) return ReadLabel(*label);
    }
    if (w != &control) {
      if (const auto* group = qobject_cast<const CSxGroupBox*>(w)) {
        return group->caption().trimmed();
      }
    }
    if (w->isWindow()) break;
  }
  return {};
}

void SetAccessibleLabel(QWidget& control, QLabel* label) {
  control.setProperty(kLabelProperty, QVariant::fromValue(QPointer<QLabel>(label)));
}

QString AccessibleName(const QWidget& control) {
  const QString name = control.accessibleName();
  return name.isEmpty() ? LabelText(control) : name;
}

}  // namespace qv
