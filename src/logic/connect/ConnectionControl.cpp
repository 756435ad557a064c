#include "logic/connect/ConnectionControl.h"

#include <algorithm>

#include "logic/connect/MachineList.h"

namespace qv {

std::string ConnectionControl::DevicePath(const std::string& port) {
  return port.empty() || port.front() == '/' ? port : "/dev/" + port;
}

int ConnectionControl::IndexOf(const std::string& port) const {
  const auto it = std::find(ports_.begin(), ports_.end(), port);
  return it == ports_.end() ? -1 : static_cast<int>(it - ports_.begin());
}

void ConnectionControl::RefreshPorts(std::vector<std::string> ports) {
  ports_ = std::move(ports);
  selected_ = ports_.empty() ? -1 : std::max(0, IndexOf(settings_.SerialPort()));
}

ConnectionControl::Effects ConnectionControl::PortsChanged(std::vector<std::string> ports) {
  Effects effects;
  const std::string chosen = selected_ >= 0 ? ports_[selected_] : std::string();
  const bool arrived =
      std::any_of(ports.begin(), ports.end(), [&](const std::string& p) { return IndexOf(p) < 0; });
  ports_ = std::move(ports);
  effects.portListChanged = true;
  selected_ = ports_.empty() ? -1 : std::max(0, IndexOf(chosen));
  if (arrived && !serialOpen_) {
    const int remembered = IndexOf(settings_.SerialPort());
    if (remembered >= 0) selected_ = remembered;
  }
  if (serialOpen_ && IndexOf(openPort_) < 0) {
    effects = CloseSerial();
    effects.portListChanged = true;
  }
  return effects;
}

ConnectionControl::Effects ConnectionControl::OpenSerial(int baud) {
  Effects effects;
  if (selected_ < 0) return effects;
  CommLink& link = encoder_.link();
  const uint8_t all[] = {kBroadcastAddress};
  link.CommSetAddressList(all);
  const std::string port = ports_[selected_];
  serialOpen_ = link.CommOpenSerial(DevicePath(port), std::clamp(baud, kMinBaud, kMaxBaud)) != 0;
  effects.lampChanged = true;
  effects.lamp = serialOpen_;
  if (!serialOpen_) {
    effects.connectFailed = true;
    return effects;
  }
  openPort_ = port;
  encoder_.EncodeAndSend(CommandType::QueryFullState);
  effects.showReadingNotice = true;
  DeviceModel& model = encoder_.model();
  if (model.NetworkMode == 1) {
    model.NetworkMode = 0;
    effects.switchedToSerial = true;
  }
  settings_.SetSerialLink(port);
  return effects;
}

ConnectionControl::Effects ConnectionControl::CloseSerial() {
  Effects effects;
  encoder_.link().CommCloseSerial();
  if (encoder_.model().NetworkMode == 0) {
    effects.lampChanged = true;
    effects.lamp = false;
  }
  serialOpen_ = false;
  openPort_.clear();
  return effects;
}

bool ConnectionControl::OpenHost(const std::string& address) {
  if (!MachineList::WellFormed(address)) return false;
  encoder_.link().CommOpenHost(address, kDefaultLinkPort);
  return true;
}

bool ConnectionControl::CloseHost(const std::string& address) {
  if (!MachineList::WellFormed(address)) return false;
  encoder_.link().CommCloseHost(address);
  return true;
}

}  // namespace qv
