#pragma once
// The preview window: the four outputs of the preview picture in a 2 x 2
// grid under their labels, in a frameless window the operator moves by its
// top band and sizes by its edges and corners.

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "surfaces/VideoView.h"

namespace qv {

class LanguageTexts;

class ZShowVideoDlg final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 1559;
  static constexpr int kQuadrants = 4;
  static constexpr int kCaptionHeight = 26;
  static constexpr int kCornerReach = 20;
  static constexpr int kEdgeReach = 3;
  static constexpr QSize kMinimumSize{320, 250};

  enum class Zone {
    None,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Left,
    Right,
    Top,
    Bottom,
    Caption
  };

  explicit ZShowVideoDlg(QWidget* owner);

  // Where quadrant `i` and its label go in a window `size` big.
  static QRect QuadrantRect(int i, QSize size);
  static Zone ZoneAt(QPoint p, QSize size);

  // New quadrant surfaces for a picture `setup.frameWidth` x `frameHeight`,
  // each showing its quarter of it; Clear() removes them. The page enrols
  // and withdraws their renderers with the receiver.
  void Rebuild(VideoView::Setup setup);
  void Clear();
  std::array<VideoView*, kQuadrants> quadrants() const { return views_; }

  void ApplyLanguage(const LanguageTexts& texts);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Place();

  std::array<QLabel*, kQuadrants> labels_{};
  std::array<VideoView*, kQuadrants> views_{};
  QPushButton* close_ = nullptr;
  QString title_ = "Video Display";
};

}  // namespace qv
