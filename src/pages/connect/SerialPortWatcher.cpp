#include "pages/connect/SerialPortWatcher.h"

#include <QSerialPortInfo>

namespace qv {

SerialPortWatcher::SerialPortWatcher(QObject* parent) : QObject(parent), ports_(Ports()) {
  poll_.setInterval(1000);
  connect(&poll_, &QTimer::timeout, this, &SerialPortWatcher::Poll);
  poll_.start();
}

std::vector<std::string> SerialPortWatcher::Ports() {
  std::vector<std::string> names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    names.push_back(info.portName().toStdString());
  }
  return names;
}

void SerialPortWatcher::Poll() {
  std::vector<std::string> now = Ports();
  if (now == ports_) return;
  ports_ = std::move(now);
  emit changed(ports_);
}

}  // namespace qv
