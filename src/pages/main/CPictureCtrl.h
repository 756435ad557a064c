#pragma once
// The layout canvas on screen: draws the cells of a CanvasModel (screens,
// windows, their texts, overlaps, the snap guide and the preview/program
// frames) and turns the mouse into the model's press, move and release.
// The page acts on what those return.

#include <QWidget>

#include "canvas/CanvasModel.h"

namespace qv {

class CPictureCtrl final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kGridStep = 40;

  CPictureCtrl(CanvasModel& model, QWidget* parent = nullptr);

  void SetGrid(bool on);
  // The preview and program halves framed green and red (switcher modes).
  void SetSwitcherFrames(bool on);
  // With live video the window cells are drawn as frames only: their video
  // windows show the rest.
  void SetVideo(bool on);
  // Text of the context menu's one entry.
  void SetTopSetText(const QString& text) { topSetText_ = text; }
  const QString& topSetText() const { return topSetText_; }

 signals:
  void cellPressed(CellHandle cell);
  // A drag that moved or resized `cell` ended.
  void cellChanged(CellHandle cell, bool screen);
  // The context menu's entry: show the "TOP" buttons.
  void topSetRequested();
  // Cells moved, resized, were raised or changed selection: what lies over
  // them follows.
  void cellsChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PaintCell(class QPainter& p, const CCell& cell) const;
  void PaintFrames(QPainter& p) const;
  void ApplyCursor(CursorShape shape);

  CanvasModel& model_;
  bool grid_ = true;
  bool switcherFrames_ = false;
  bool video_ = false;
  QString topSetText_ = "Top Setting";
};

}  // namespace qv
