#pragma once
// The toolkit's stand-in for a video surface where the rendering library
// cannot run (no X display, offscreen tests): each picture's source part is
// converted to an RGB image on the render thread and the view is asked to
// repaint with it.

#include <QImage>
#include <functional>
#include <mutex>

#include "canvas/Rect.h"
#include "video/PictureRenderer.h"

namespace qv {

class ImageSurface final : public PictureRenderer {
 public:
  // `wake` is called on the render thread after a new image; it must only
  // hand the news to the user-interface thread.
  ImageSurface(int frameWidth, int frameHeight, std::function<void()> wake);

  void SetSource(const Rect& source);
  void SetShown(bool shown);
  // The latest image, for painting.
  QImage image() const;
  int pictures() const;

  void RenderPicture(const Picture& picture) override;

 private:
  const int frameWidth_;
  const int frameHeight_;
  const std::function<void()> wake_;
  mutable std::mutex mutex_;
  Rect source_;        // guarded by mutex_
  bool shown_ = true;  // guarded by mutex_
  QImage image_;       // guarded by mutex_
  int pictures_ = 0;   // guarded by mutex_
};

}  // namespace qv
