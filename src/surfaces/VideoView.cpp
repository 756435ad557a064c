#include "surfaces/VideoView.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include "surfaces/SdlVideoThread.h"
#include "widgets/WidgetColours.h"

namespace qv {

VideoView::VideoView(const Setup& setup, QWidget* mouseTarget, QWidget* parent)
    : QWidget(parent), mouseTarget_(mouseTarget), alive_(std::make_shared<VideoView*>(this)) {
  setMouseTracking(true);
  // The library draws into X11 windows only; any other platform gets the
  // toolkit's drawing.
  const bool library = setup.video && setup.video->available() &&
                       QGuiApplication::platformName() == QLatin1String("xcb");
  if (library) {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    sdl_ =
        std::make_unique<SdlSurface>(*setup.video, static_cast<std::uintptr_t>(winId()),
                                     setup.frameWidth, setup.frameHeight, setup.kind, setup.font);
    return;
  }
  std::weak_ptr<VideoView*> alive = alive_;
  const auto post = setup.postToUi;
  image_ = std::make_unique<ImageSurface>(setup.frameWidth, setup.frameHeight, [alive, post] {
    post([alive] {
      if (const auto view = alive.lock()) (*view)->update();
    });
  });
}

VideoView::~VideoView() {
  alive_.reset();
  sdl_.reset();  // lets go of the native window before it goes
}

PictureRenderer& VideoView::renderer() {
  if (sdl_) return *sdl_;
  return *image_;
}

int VideoView::picturesShown() const {
  return image_ ? image_->pictures() : 0;
}

void VideoView::SetSource(const Rect& source) {
  if (sdl_) sdl_->SetSource(source);
  if (image_) image_->SetSource(source);
}

void VideoView::SetLabel(const QString& label) {
  if (label == label_) return;
  label_ = label;
  if (sdl_) sdl_->SetLabel(label.toStdString());
  update();
}

void VideoView::SetShown(bool shown) {
  if (sdl_) sdl_->SetShown(shown);
  if (image_) image_->SetShown(shown);
  setVisible(shown);
}

void VideoView::ShowPlaceholder(bool selected) {
  if (sdl_) sdl_->ShowPlaceholder(selected);
}

QPaintEngine* VideoView::paintEngine() const {
  // The library owns the native window's pixels.
  return sdl_ ? nullptr : QWidget::paintEngine();
}

void VideoView::paintEvent(QPaintEvent*) {
  if (sdl_) return;
  QPainter p(this);
  const QImage image = image_->image();
  if (image.isNull()) {
    p.fillRect(rect(), colours::kCellFill);
  } else {
    p.drawImage(rect(), image);
  }
  if (!label_.isEmpty()) {
    QFont font = p.font();
    font.setPixelSize(std::max(10, height() / 8));
    p.setFont(font);
    p.setPen(colours::kOverlayLabel);
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, label_);
  }
}

void VideoView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (sdl_) sdl_->Placed(width(), height());
}

void VideoView::Forward(QMouseEvent* event) {
  if (!mouseTarget_) return event->ignore();
  const QPointF global = event->globalPosition();
  QMouseEvent forwarded(event->type(), mouseTarget_->mapFromGlobal(global), global, event->button(),
                        event->buttons(), event->modifiers());
  QCoreApplication::sendEvent(mouseTarget_, &forwarded);
}

void VideoView::mousePressEvent(QMouseEvent* event) {
  Forward(event);
}
void VideoView::mouseMoveEvent(QMouseEvent* event) {
  Forward(event);
}
void VideoView::mouseReleaseEvent(QMouseEvent* event) {
  Forward(event);
}
void VideoView::mouseDoubleClickEvent(QMouseEvent* event) {
  Forward(event);
}

}  // namespace qv
