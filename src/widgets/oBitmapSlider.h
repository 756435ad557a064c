#pragma once
// A horizontal slider in whole positions: a channel and a thumb that the
// operator drags or moves with the keys. It reports every move the operator
// makes; positions set by the program are not reported.

#include <QWidget>

namespace qv {

class oBitmapSlider : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kThumbWidth = 10;
  static constexpr int kThumbHeight = 18;

  explicit oBitmapSlider(QWidget* parent = nullptr);

  // The page step is half the range.
  void SetRange(int minimum, int maximum);
  // Limited to the range; not reported.
  void SetPosition(int position);
  // As the operator moves it with a key: limited to the range and reported.
  void MoveTo(int position);

  int position() const { return position_; }
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int pageStep() const { return (maximum_ - minimum_) / 2; }
  bool dragging() const { return dragging_; }
  QRect thumbRect() const;

  QSize sizeHint() const override;

 signals:
  // The operator moved the slider: a position change while dragging, a key,
  // or a click on the channel.
  void moved(int position);
  // The operator let go of the thumb.
  void released(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int XOf(int position) const;
  int PositionAt(int x) const;

  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool dragging_ = false;
  int grabOffset_ = 0;  // pointer x minus thumb centre when the drag started
};

}  // namespace qv
