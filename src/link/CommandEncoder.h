#pragma once

#include <initializer_list>
#include <optional>
#include <span>

#include "CommLink.h"
#include "CommandType.h"
#include "DeviceModel.h"

namespace qv {

// Builds the 32-byte payload of each command type from the model and hands it
// to the link with the model's TargetAddress. Runs on the UI thread (and on the
// thread that owns the model in the headless tools), like every model access.
class CommandEncoder {
 public:
  // Returned, with nothing sent, when an argument names a window, cell, task,
  // logo slot or EDID record the model does not have.
  static constexpr int kRejected = -1;

  CommandEncoder(DeviceModel& model, CommLink& link) : model_(model), link_(link) {}

  // Payload of `type` for arguments p1..p32 (missing ones are 0). Applies the
  // after-send resets some types have (picture markers, geometry one-shot).
  std::optional<Payload> Encode(int type, std::span<const uint8_t> args);

  int EncodeAndSend(int type, std::span<const uint8_t> args);
  int EncodeAndSend(int type, std::initializer_list<uint8_t> args = {}) {
    return EncodeAndSend(type, std::span<const uint8_t>(args.begin(), args.size()));
  }
  int EncodeAndSend(CommandType type, std::initializer_list<uint8_t> args = {}) {
    return EncodeAndSend(static_cast<int>(type), args);
  }

  DeviceModel& model() { return model_; }
  CommLink& link() { return link_; }

 private:
  DeviceModel& model_;
  CommLink& link_;
};

}  // namespace qv
