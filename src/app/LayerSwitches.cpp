#include "LayerSwitches.h"

#include <QBoxLayout>
#include <QSignalBlocker>

#include "widgets/ControlId.h"

namespace qv {

LayerSwitches::LayerSwitches(Qt::Orientation orientation, int firstControlId, QWidget* parent)
    : QWidget(parent) {
  auto* row = new QBoxLayout(
      orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(orientation == Qt::Horizontal ? 6 : 4);
  for (int k = 0; k < static_cast<int>(buttons_.size()); ++k) {
    auto* b =
        new QPushButton(k == 0 ? QStringLiteral("MAIN") : QStringLiteral("PIP-%1").arg(k), this);
    SetControlId(*b, firstControlId + k);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    row->addWidget(b);
    buttons_[k] = b;
    if (k == 0) {
      // The main layer cannot be switched off; its button only completes the row.
      b->setProperty("alwaysOn", true);
      continue;
    }
    b->setCheckable(true);
    // Every change the operator makes, by click, Space or an assistive tool's
    // toggle (which never clicks), switches the layer; SetState does not.
    connect(b, &QPushButton::toggled, this, [this, k](bool on) { emit switched(k, on); });
  }
}

void LayerSwitches::SetState(int window, bool on) {
  const QSignalBlocker quiet(buttons_[window]);
  buttons_[window]->setChecked(on);
}

}  // namespace qv
