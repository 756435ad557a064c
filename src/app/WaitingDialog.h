#pragma once
// The busy notice shown while the console waits for the processor: a turning
// wheel and one line of text, on a veil over the whole window that takes the
// mouse and the keyboard until the processor answers.

#include <QTimer>
#include <QWidget>

namespace qv {

class WaitingDialog final : public QWidget {
  Q_OBJECT

 public:
  explicit WaitingDialog(QWidget* window);

  // Shows `text` over the window; showing again only changes the text.
  void ShowWaiting(const QString& text);
  // Hides the notice and gives the window back to the operator.
  void HideWaiting();
  bool waiting() const { return !isHidden(); }
  const QString& text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  QRect Box() const;

  QString text_;
  QTimer spin_;
  int step_ = 0;
};

}  // namespace qv
