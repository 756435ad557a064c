#pragma once
#include <cstddef>
#include <cstdint>

#include "ReplyKind.h"

namespace qv {

// What the reply handling tells the main window, always on the UI thread.
class NotificationSink {
 public:
  virtual ~NotificationSink() = default;
  // A reply of `kind` changed the model; `arg` narrows it (a window, a cell,
  // a caption slot, an event) where the kind says so, else 0.
  virtual void Notify(ReplyKind kind, int arg) = 0;
  // The reply that ends a waiting operation arrived.
  virtual void CloseWaitingDialog() = 0;
};

// Receives preview stream blocks on the link's I/O thread; must not block.
class PreviewSink {
 public:
  virtual ~PreviewSink() = default;
  virtual void PushPreviewBlock(int channel, const uint8_t* data, std::size_t length) = 0;
};

}  // namespace qv
