#pragma once
#include "video/Picture.h"

namespace qv {

// Something that shows preview pictures: a canvas cell or a quadrant of the
// preview window, registered with a preview receiver.
class PictureRenderer {
 public:
  virtual ~PictureRenderer() = default;

  // Called on the receiver's render thread, one picture after the other. The
  // planes are valid only during the call. Must not register or withdraw
  // renderers; may take the renderer's own lock, as long as nobody withdraws
  // this renderer while holding that lock.
  virtual void RenderPicture(const Picture& picture) = 0;
};

}  // namespace qv
