#pragma once

namespace qv::sim {

// What the processor's preview encoder produces. The console chooses it with
// VideoEncoderSettings and reads it back in the encoder status (type 2).
struct PreviewSettings {
  int code = 1;  // resolution code
  int width = 352;
  int height = 240;
  int fps = 15;
  int kbps = 1024;
};

}  // namespace qv::sim
