#include "pages/common/WindowButtons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <array>

#include "widgets/ChoiceButtons.h"

namespace qv {

namespace {

constexpr std::array<ChoiceButtons::Choice, kWindowCount> kWindows{};

}  // namespace

WindowButtons::WindowButtons(QWidget* parent, WindowButtonLabels::DualPreview dual)
    : QWidget(parent), dual_(dual), row_(new ChoiceButtons(kWindows, kWindowCount, this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(row_);
  row_->Select(selected_);
  connect(row_, &ChoiceButtons::chosen, this, &WindowButtons::Choose);
  Show(shown_);
}

QPushButton* WindowButtons::button(int window) const {
  return row_->button(window);
}

void WindowButtons::FollowSwitcher(const DeviceStatusRecord& rec) {
  int selected = selected_;
  Show(WindowButtonLabels::Relabel(shown_, rec, &selected, dual_));
  row_->Select(selected);
  Choose(selected);
}

void WindowButtons::Select(int window) {
  if (window < 0 || window >= kWindowCount) return;
  selected_ = window;
  row_->Select(window);
}

void WindowButtons::Show(const WindowButtonLabels::Buttons& buttons) {
  shown_ = buttons;
  for (int k = 0; k < kWindowCount; ++k) {
    QPushButton* b = row_->button(k);
    b->setText(QString::fromStdString(buttons[static_cast<std::size_t>(k)].label));
    b->setEnabled(buttons[static_cast<std::size_t>(k)].enabled);
  }
}

void WindowButtons::Choose(int window) {
  if (window == selected_) return;
  selected_ = window;
  emit windowChosen(window);
}

}  // namespace qv
