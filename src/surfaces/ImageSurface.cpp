#include "surfaces/ImageSurface.h"

#include <algorithm>

namespace qv {

namespace {

uint8_t Clamp(int v) {
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

ImageSurface::ImageSurface(int frameWidth, int frameHeight, std::function<void()> wake)
    : frameWidth_(frameWidth),
      frameHeight_(frameHeight),
      wake_(std::move(wake)),
      source_{0, 0, frameWidth, frameHeight} {}

void ImageSurface::SetSource(const Rect& source) {
  std::lock_guard lock(mutex_);
  source_ = source;
}

void ImageSurface::SetShown(bool shown) {
  std::lock_guard lock(mutex_);
  shown_ = shown;
}

QImage ImageSurface::image() const {
  std::lock_guard lock(mutex_);
  return image_;
}

int ImageSurface::pictures() const {
  std::lock_guard lock(mutex_);
  return pictures_;
}

void ImageSurface::RenderPicture(const Picture& picture) {
  if (picture.width != frameWidth_ || picture.height != frameHeight_) return;
  Rect source;
  {
    std::lock_guard lock(mutex_);
    if (!shown_) return;
    source = source_;
  }
  // Only the part the window shows, clipped to the picture.
  source = source.Intersected({0, 0, frameWidth_, frameHeight_});
  if (source.IsEmpty()) return;
  QImage image(source.Width(), source.Height(), QImage::Format_RGB32);
  for (int row = 0; row < source.Height(); ++row) {
    const int y = source.top + row;
    const uint8_t* luma = picture.y + static_cast<std::ptrdiff_t>(y) * picture.yPitch;
    const uint8_t* cb = picture.u + static_cast<std::ptrdiff_t>(y / 2) * picture.uvPitch;
    const uint8_t* cr = picture.v + static_cast<std::ptrdiff_t>(y / 2) * picture.uvPitch;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int col = 0; col < source.Width(); ++col) {
      const int x = source.left + col;
      // Studio-range BT.601, as the processor's encoder produces.
      const int c = (luma[x] - 16) * 298;
      const int d = cb[x / 2] - 128;
      const int e = cr[x / 2] - 128;
      out[col] = qRgb(Clamp((c + 409 * e + 128) >> 8), Clamp((c - 100 * d - 208 * e + 128) >> 8),
                      Clamp((c + 516 * d + 128) >> 8));
    }
  }
  {
    std::lock_guard lock(mutex_);
    image_ = std::move(image);
    ++pictures_;
  }
  wake_();
}

}  // namespace qv
