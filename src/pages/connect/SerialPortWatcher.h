#pragma once
// Tells when serial adapters come and go. Linux has no notice a plain program
// can wait on without udev access, so the system's list is read every second
// and compared: cheap, and an adapter is seen within a second.

#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

namespace qv {

class SerialPortWatcher final : public QObject {
  Q_OBJECT

 public:
  explicit SerialPortWatcher(QObject* parent = nullptr);

  // The serial ports the system lists now, by name (ttyUSB0), in its order.
  static std::vector<std::string> Ports();
  const std::vector<std::string>& ports() const { return ports_; }

 signals:
  void changed(const std::vector<std::string>& ports);

 private:
  void Poll();

  QTimer poll_;
  std::vector<std::string> ports_;
};

}  // namespace qv
