#pragma once
// A two-state button showing an "off" or "on" picture (or, without pictures,
// a painted dark button that turns orange when on). A click flips the state
// before clicked() and toggled() are emitted, so the page's handler sees the
// new state and may refuse it with SetState().

#include <QAbstractButton>
#include <QPixmap>

namespace qv {

class CGdipButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CGdipButton(QWidget* parent = nullptr);
  explicit CGdipButton(const QString& text, QWidget* parent = nullptr);

  void SetImages(const QPixmap& off, const QPixmap& on);
  // Sets the state without emitting anything.
  void SetState(bool on);
  bool state() const { return isChecked(); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap off_;
  QPixmap on_;
};

}  // namespace qv
