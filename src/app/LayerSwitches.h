#pragma once
// One row of layer switches: "MAIN", shown always on and doing nothing, and
// the on/off switches of the PIP windows 1..3. The row reports presses; what they do is decided by
// its owner, which also sets the states the switches show.

#include <QPushButton>
#include <QWidget>
#include <array>

namespace qv {

class LayerSwitches final : public QWidget {
  Q_OBJECT

 public:
  // `firstControlId` is the id of "MAIN"; PIP-1..3 follow. Language files
  // retitle buttons by these ids.
  LayerSwitches(Qt::Orientation orientation, int firstControlId, QWidget* parent = nullptr);

  // Shows `on` for window 1..3 without reporting a press.
  void SetState(int window, bool on);

 signals:
  void switched(int window, bool on);

 private:
  // Index 0 is "MAIN".
  std::array<QPushButton*, 4> buttons_{};
};

}  // namespace qv
