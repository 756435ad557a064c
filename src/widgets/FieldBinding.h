#pragma once
// One field of a page, declared rather than coded: where its value lives in
// the model and what a commit sends. PageFields ties it to a control.

#include <cstdint>
#include <functional>
#include <optional>

#include "FieldCommand.h"
#include "link/DeviceModel.h"

namespace qv {

template <typename T>
struct FieldBinding {
  std::function<T(const DeviceModel&)> get;
  std::function<void(DeviceModel&, T)> set;
  // Nothing is sent when absent: the value travels with a later command.
  std::optional<FieldCommand> send;
  // Page work after the send: a reload, enabling related controls.
  std::function<void()> after;
};

using NumberBinding = FieldBinding<double>;   // numeric fields, sliders
using ChoiceBinding = FieldBinding<int32_t>;  // drop lists, by entry value
using SwitchBinding = FieldBinding<bool>;     // two-state buttons

}  // namespace qv
