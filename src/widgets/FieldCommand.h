#pragma once
// What a committed field sends once the model is written:
// CommandEncoder::EncodeAndSend(type, args()). Fields of one page often share
// one (every feathering field sends the window's feathering).

#include <cstdint>
#include <functional>
#include <vector>

#include "link/CommandType.h"

namespace qv {

struct FieldCommand {
  CommandType type;
  // Arguments p1, p2, ... read at commit time (the selected window, say);
  // none when empty.
  std::function<std::vector<uint8_t>()> args;
};

}  // namespace qv
