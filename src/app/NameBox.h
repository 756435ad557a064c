#pragma once
// The small box that renames an input or a preset in place. Enter and Esc
// both commit, so a stray Esc never throws away a name being typed.

#include <QLineEdit>

namespace qv {

class NameBox final : public QLineEdit {
  Q_OBJECT

 public:
  // Info.ini hands back at most this many characters of a name.
  static constexpr int kMaxLength = 255;

  explicit NameBox(QWidget* parent = nullptr);

  // Shows the box over `area` holding `text`, ready for typing.
  void Open(const QRect& area, const QString& text);

 signals:
  void committed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qv
