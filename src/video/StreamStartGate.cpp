#include "video/StreamStartGate.h"

namespace qv {

namespace {

// NAL unit types.
constexpr int kNonIdrSliceFirst = 1;
constexpr int kNonIdrSliceLast = 4;  // slice data partitions A to C count as slices too
constexpr int kIdrSlice = 5;
constexpr int kSequenceParameterSet = 7;
constexpr int kPictureParameterSet = 8;

}  // namespace

bool StreamStartGate::Admit(const uint8_t* block, std::size_t length) {
  if (started_) return true;
  if (!block) return false;
  bool sps = sequenceParameters_;
  bool pps = pictureParameters_;
  bool parameterSets = false;
  bool slices = false;
  // Emulation prevention keeps 00 00 01 out of every NAL unit's payload, so
  // each one found starts a unit; a four-byte start code is a zero byte
  // before a three-byte one.
  for (std::size_t i = 0; i + 3 < length; ++i) {
    if (block[i] != 0 || block[i + 1] != 0 || block[i + 2] != 1) continue;
    const uint8_t header = block[i + 3];
    i += 2;
    // A set forbidden bit, or a parameter set or IDR slice nobody refers
    // to (nal_ref_idc 0), is not H.264: damaged bytes start nothing.
    if (header & 0x80) continue;
    const bool referenced = (header & 0x60) != 0;
    const int type = header & 0x1F;
    if (type == kSequenceParameterSet && referenced) {
      sps = parameterSets = true;
    } else if (type == kPictureParameterSet && referenced) {
      pps = parameterSets = true;
    } else if (type == kIdrSlice && referenced) {
      if (sps && pps) {
        started_ = true;
        return true;
      }
      slices = true;
    } else if (type >= kNonIdrSliceFirst && type <= kNonIdrSliceLast) {
      slices = true;
    }
  }
  if (slices || !parameterSets) return false;
  sequenceParameters_ = sps;
  pictureParameters_ = pps;
  return true;
}

}  // namespace qv
