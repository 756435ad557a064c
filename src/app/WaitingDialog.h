#pragma once
// The busy notice shown while the console waits for the processor: a turning
// wheel and one line of text, on a veil over the whole window that takes the
// mouse and the keyboard until the processor answers. A processor that never
// answers (switched off mid-read, no processor on the network) must not lock
// the console: the notice gives up after a while and says so.

#include <QTimer>
#include <QWidget>

namespace qv {

class WaitingDialog final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kGiveUpMs = 15000;

  explicit WaitingDialog(QWidget* window);

  // Shows `text` over the window; showing again changes the text and waits
  // `giveUpMs` from now.
  void ShowWaiting(const QString& text, int giveUpMs = kGiveUpMs);
  // Hides the notice and gives the window back to the operator.
  void HideWaiting();
  bool waiting() const { return !isHidden(); }
  const QString& text() const { return text_; }

 signals:
  // No answer came in time; the notice is hidden already.
  void gaveUp(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  QRect Box() const;

  QString text_;
  QTimer spin_;
  QTimer giveUp_;
  int step_ = 0;
};

}  // namespace qv
