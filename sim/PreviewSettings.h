#pragma once
#include <optional>

namespace qv::sim {

// What the processor's preview encoder produces. The console chooses it with
// VideoEncoderSettings and reads it back in the encoder status (type 2).
struct PreviewSettings {
  int code = 1;  // resolution code
  int width = 352;
  int height = 240;
  int fps = 15;
  int kbps = 1024;

  struct Size {
    int width;
    int height;
  };
  // The preview sizes the encoder knows, by resolution code.
  static std::optional<Size> SizeOfCode(int code) {
    switch (code) {
      case 1:
        return Size{352, 240};
      case 21:
        return Size{480, 270};
      case 20:
        return Size{640, 360};
      case 7:
        return Size{640, 480};
      case 19:
        return Size{960, 540};
      case 16:
        return Size{1280, 720};
      case 17:
        return Size{1920, 1080};
      default:
        return std::nullopt;
    }
  }
};

}  // namespace qv::sim
