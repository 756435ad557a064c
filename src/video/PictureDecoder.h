#pragma once
// The decoder a preview receiver drives: create it for a frame size, hand it
// stream blocks, take pictures one call at a time, destroy it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace qv {

class PictureDecoder {
 public:
  struct Attributes {
    int widthInMacroblocks = 0;
    int heightInMacroblocks = 0;

    // Counts of 16-pixel macroblocks, rounded up: 1920 x 1080 gives 120 x 68.
    static Attributes ForFrame(int width, int height) {
      return {(width + 15) / 16, (height + 15) / 16};
    }
  };

  // A planar 4:2:0 picture inside the decoder. The last `cropBottom` of its
  // `height` rows are not part of the image.
  struct Output {
    const uint8_t* y = nullptr;
    const uint8_t* u = nullptr;
    const uint8_t* v = nullptr;
    int width = 0;
    int height = 0;
    int yStride = 0;
    int uvStride = 0;
    int cropBottom = 0;
    // When set, the planes stay as they are for as long as this lives, past
    // the next call: the caller may keep the picture instead of copying it.
    std::shared_ptr<const void> keep;
  };

  enum class Result {
    PictureReady = 0,   // `out` holds a picture until the next call
    NeedMoreData = -1,  // nothing decoded is waiting
    NoPicture = -2,     // a flush has handed out everything
    Error = -3,         // the data could not be decoded; nothing is waiting
  };

  // The stream stops here for now: every picture the decoder holds back is
  // handed out, then NoPicture; stream after that is decoded afresh.
  static constexpr unsigned kFlush = 1;

  virtual ~PictureDecoder() = default;

  // Takes `length` bytes of stream (none: only the next waiting picture is
  // asked for). A caller repeats with no data while the result is
  // PictureReady: one block may complete several pictures.
  virtual Result Frame(const uint8_t* stream, std::size_t length, unsigned flags, Output& out) = 0;
};

// Makes a decoder for the given size; null when it cannot.
using DecoderFactory =
    std::function<std::unique_ptr<PictureDecoder>(const PictureDecoder::Attributes&)>;

}  // namespace qv
