#pragma once
// The window that shows live video over a canvas cell or in a quadrant of
// the preview window. With the rendering library it is a native child
// window the library draws into; without it, the toolkit paints the image
// an ImageSurface converted. Mouse input goes on to `mouseTarget`, so that a
// cell can be pressed and dragged through its video.

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "surfaces/ImageSurface.h"
#include "surfaces/SdlSurface.h"

namespace qv {

class VideoView final : public QWidget {
  Q_OBJECT

 public:
  struct Setup {
    SdlVideoThread* video = nullptr;  // null or unavailable: the toolkit draws
    int frameWidth = 352;
    int frameHeight = 240;
    SdlSurface::Kind kind = SdlSurface::Kind::Cell;
    std::filesystem::path font;
    // Hands a task to the user-interface thread; callable from any thread.
    std::function<void(std::function<void()>)> postToUi;
  };

  VideoView(const Setup& setup, QWidget* mouseTarget, QWidget* parent);
  ~VideoView() override;

  // The renderer the preview receiver calls.
  PictureRenderer& renderer();
  bool usesLibrary() const { return sdl_ != nullptr; }
  int picturesShown() const;

  void SetSource(const Rect& source);
  void SetLabel(const QString& label);
  // A hidden cell or a closed preview window costs no rendering.
  void SetShown(bool shown);
  void ShowPlaceholder(bool selected);

  QPaintEngine* paintEngine() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Forward(QMouseEvent* event);

  QPointer<QWidget> mouseTarget_;
  QString label_;
  std::unique_ptr<SdlSurface> sdl_;
  std::unique_ptr<ImageSurface> image_;
  // Lets queued repaints find out that the view is gone.
  std::shared_ptr<VideoView*> alive_;
};

}  // namespace qv
