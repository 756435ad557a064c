#include "widgets/ChoiceButtons.h"

#include <QGridLayout>
#include <QPushButton>

#include "widgets/ControlId.h"

namespace qv {

ChoiceButtons::ChoiceButtons(std::span<const Choice> choices, int columns, QWidget* parent)
    : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(6);
  const int perRow = columns > 0 ? columns : 1;
  for (const Choice& choice : choices) {
    const int index = count();
    QPushButton* b = MakeButton(this, choice.id, QString::fromUtf8(choice.text));
    b->setCheckable(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(b, &QPushButton::clicked, this, [this, index] { Press(index); });
    grid->addWidget(b, index / perRow, index % perRow);
    buttons_.push_back(b);
  }
  Highlight();
}

void ChoiceButtons::Select(int index) {
  selected_ = index >= 0 && index < count() ? index : -1;
  Highlight();
}

void ChoiceButtons::Press(int index) {
  const bool changed = index != selected_;
  selected_ = index;
  // A checkable button unchecks itself when pressed again: the highlight is
  // the row's, not the button's.
  Highlight();
  if (changed) emit chosen(index);
}

void ChoiceButtons::Highlight() {
  for (int i = 0; i < count(); ++i) buttons_[static_cast<std::size_t>(i)]->setChecked(i == selected_);
}

}  // namespace qv
