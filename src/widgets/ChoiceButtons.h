#pragma once
// Buttons of which one is chosen and highlighted: the window buttons, the
// rotations, the switcher's panel variants. A press on the chosen button
// changes nothing and says nothing, so that the page sends nothing for it; a
// press on another chooses it and tells the page.

#include <QWidget>
#include <span>
#include <vector>

class QPushButton;

namespace qv {

class ChoiceButtons final : public QWidget {
  Q_OBJECT

 public:
  struct Choice {
    int id = 0;  // the control id that re-texts it; 0 for none
    const char* text = "";
  };

  // Laid out in rows of `columns` buttons.
  ChoiceButtons(std::span<const Choice> choices, int columns, QWidget* parent = nullptr);

  // Chooses `index` without telling the page; -1 (or any index outside the
  // buttons) chooses none.
  void Select(int index);
  int selected() const { return selected_; }
  int count() const { return static_cast<int>(buttons_.size()); }
  QPushButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

 signals:
  // The operator chose `index`, which was not the chosen one.
  void chosen(int index);

 private:
  void Press(int index);
  void Highlight();

  std::vector<QPushButton*> buttons_;
  int selected_ = -1;
};

}  // namespace qv
