#pragma once
// What the connection page does with the link, apart from drawing: the
// serial port list kept in step with plugging, opening and closing the serial
// line and network links, and what the window is told afterwards.

#include <string>
#include <vector>

#include "link/CommandEncoder.h"
#include "project/InfoSettings.h"

namespace qv {

class ConnectionControl {
 public:
  static constexpr int kDefaultBaud = 115200;
  static constexpr int kMinBaud = 38400;
  static constexpr int kMaxBaud = 115200;
  inline static const char* const kDefaultDestination = "192.168.1.110";

  struct Effects {
    bool lampChanged = false;  // page request 1472 with `lamp`
    bool lamp = false;
    bool showReadingNotice = false;  // "Getting Data From Desitination... "
    bool switchedToSerial = false;   // page request 1466
    bool connectFailed = false;      // "Connect Failed!"
    bool portListChanged = false;
  };

  ConnectionControl(CommandEncoder& encoder, InfoSettings& settings)
      : encoder_(encoder), settings_(settings) {}

  // Serial ports as the system names them (ttyUSB0, ttyS1 ...), in its order.
  const std::vector<std::string>& ports() const { return ports_; }
  // The port chosen in the drop-down; -1 with no port ("N/A").
  int selected() const { return selected_; }
  void Select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(ports_.size()) ? index : -1;
  }
  bool serialOpen() const { return serialOpen_; }

  // Rebuilds the list and chooses the port Info.ini remembers (else the first).
  void RefreshPorts(std::vector<std::string> ports);
  // A port came or went: the choice stays where it can; a new port while no
  // line is open brings back the remembered one; losing the open line's
  // port closes it.
  Effects PortsChanged(std::vector<std::string> ports);

  Effects OpenSerial(int baud);
  Effects CloseSerial();
  // Network link to a destination typed by the operator; a malformed
  // address does nothing.
  bool OpenHost(const std::string& address);
  bool CloseHost(const std::string& address);

  // The device path the library opens for a port name.
  static std::string DevicePath(const std::string& port);

 private:
  int IndexOf(const std::string& port) const;

  CommandEncoder& encoder_;
  InfoSettings& settings_;
  std::vector<std::string> ports_;
  int selected_ = -1;
  bool serialOpen_ = false;
  std::string openPort_;
};

}  // namespace qv
