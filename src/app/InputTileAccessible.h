#pragma once
// One input tile of the input panel for assistive tools: a button named as
// the panel names the input (the operator's name, else the built-in label,
// which then becomes its description), checked while it feeds the panel's
// window. Pressing it does what a mouse press on the tile does.

#include <QPointer>

#include "widgets/ItemAccessible.h"

namespace qv {

class InputPanel;

class InputTileAccessible final : public ItemAccessible {
 public:
  InputTileAccessible(InputPanel* panel, int tile);

  InputPanel* panel() const { return panel_; }
  int tile() const { return tile_; }

  bool isValid() const override;
  QString text(QAccessible::Text t) const override;
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Button; }
  QAccessible::State state() const override;

 private:
  void Press() override;

  QPointer<InputPanel> panel_;
  int tile_;
};

}  // namespace qv
