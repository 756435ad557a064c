#pragma once
#include <cstdint>
#include <vector>

namespace qv::sim {

// One reply the processor sends: the kind the console dispatches on, its
// payload, and the extra argument some kinds carry (a window for kinds 8, 10
// and 11, a cell for 12, a window count for 14, a channel for 26).
struct SimReply {
  int kind = 0;
  std::vector<uint8_t> payload;
  int arg = 0;
};

}  // namespace qv::sim
