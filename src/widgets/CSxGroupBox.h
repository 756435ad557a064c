#pragma once
// A captioned frame: a thin grey line with the caption set into its top edge.
// Pages change captions at run time (a window's role, a language change).
// Children are placed inside its contents margins.

#include <QWidget>

namespace qv {

class CSxGroupBox : public QWidget {
  Q_OBJECT

 public:
  enum class CaptionColour { Accent, Light };

  explicit CSxGroupBox(const QString& caption = {}, QWidget* parent = nullptr);

  void SetCaption(const QString& caption);
  const QString& caption() const { return caption_; }
  void SetCaptionColour(CaptionColour colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateMargins();

  QString caption_;
  CaptionColour colour_ = CaptionColour::Accent;
};

}  // namespace qv
