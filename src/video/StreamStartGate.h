#pragma once
// Holds an H.264 stream (Annex B, blocks of whole access units) back from a
// decoder until it can be decoded: a console that joins a running stream
// would otherwise feed the decoder pictures whose parameter sets it never
// saw, and get nothing for them but complaints.
//
// The stream starts at the first block holding an IDR slice that follows a
// sequence and a picture parameter set (NAL unit types 7, 8 and 5), in that
// block or in one let through before. Until then a block with slices is
// held back, and so is one with neither slices nor parameter sets; a block
// of parameter sets alone is let through, so that a sender that puts each
// NAL unit into a block of its own still starts at its IDR picture.

#include <cstddef>
#include <cstdint>

namespace qv {

class StreamStartGate {
 public:
  // Whether the block goes to the decoder. Once the stream has started,
  // every block does.
  bool Admit(const uint8_t* block, std::size_t length);
  // The decoder starts afresh (made anew or flushed): wait for the next start.
  void Reset() { *this = {}; }
  bool started() const { return started_; }

 private:
  bool started_ = false;
  // Parameter sets in blocks already let through.
  bool sequenceParameters_ = false;
  bool pictureParameters_ = false;
};

}  // namespace qv
