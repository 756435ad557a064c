#pragma once
// One of the mosaic's predefined arrangements as a picture of its panels,
// numbered in the order the processor fills them; framed while chosen.

#include <QAbstractButton>

namespace qv {

class ArrangementButton final : public QAbstractButton {
  Q_OBJECT

 public:
  ArrangementButton(int arrangement, QWidget* parent = nullptr);

  int arrangement() const { return arrangement_; }
  QSize sizeHint() const override { return {150, 100}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int arrangement_;
};

}  // namespace qv
