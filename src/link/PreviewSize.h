#pragma once
// The picture sizes the processor's preview encoder offers, by the
// resolution code the console and the processor exchange.
#include <optional>

namespace qv {

struct PreviewSize {
  int width;
  int height;
};

inline std::optional<PreviewSize> PreviewSizeOfCode(int code) {
  switch (code) {
    case 1:
      return PreviewSize{352, 240};
    case 21:
      return PreviewSize{480, 270};
    case 20:
      return PreviewSize{640, 360};
    case 7:
      return PreviewSize{640, 480};
    case 19:
      return PreviewSize{960, 540};
    case 16:
      return PreviewSize{1280, 720};
    case 17:
      return PreviewSize{1920, 1080};
    default:
      return std::nullopt;
  }
}

}  // namespace qv
