#include "pages/common/WindowButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "widgets/ControlId.h"

namespace qv {

WindowButtons::WindowButtons(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);
  for (int k = 0; k < kWindowCount; ++k) {
    QPushButton* b = MakeButton(this, 0, QString());
    b->setCheckable(true);
    // The row keeps the highlight: a press on the chosen window's button
    // leaves it chosen and sends nothing.
    connect(b, &QPushButton::clicked, this, [this, k] { Choose(k); });
    row->addWidget(b);
    buttons_[static_cast<std::size_t>(k)] = b;
  }
  Show(shown_);
}

void WindowButtons::FollowSwitcher(const DeviceStatusRecord& rec) {
  int selected = selected_;
  Show(WindowButtonLabels::Relabel(shown_, rec, &selected));
  Choose(selected);
}

void WindowButtons::Select(int window) {
  if (window < 0 || window >= kWindowCount) return;
  selected_ = window;
  Highlight();
}

void WindowButtons::Show(const WindowButtonLabels::Buttons& buttons) {
  shown_ = buttons;
  for (int k = 0; k < kWindowCount; ++k) {
    QPushButton* b = buttons_[static_cast<std::size_t>(k)];
    b->setText(QString::fromStdString(buttons[static_cast<std::size_t>(k)].label));
    b->setEnabled(buttons[static_cast<std::size_t>(k)].enabled);
  }
}

void WindowButtons::Choose(int window) {
  const bool changed = window != selected_;
  selected_ = window;
  Highlight();
  if (changed) emit windowChosen(window);
}

void WindowButtons::Highlight() {
  for (int k = 0; k < kWindowCount; ++k)
    buttons_[static_cast<std::size_t>(k)]->setChecked(k == selected_);
}

}  // namespace qv
