#include "SerialChannel.h"

namespace qv::comm {

SerialChannel::SerialChannel(CommLibrary& library, asio::io_context& io,
                             const CommLibrary::Options& options, std::string path, unsigned baud)
    : Channel(library, io, options, kAllDevices), path_(std::move(path)), baud_(baud), port_(io) {}

bool SerialChannel::OpenNow() {
  std::error_code ec;
  port_.close(ec);
  port_.open(path_, ec);
  if (ec) return false;
  using asio::serial_port_base;
  port_.set_option(serial_port_base::baud_rate(baud_), ec);
  if (ec) {
    port_.close(ec);
    return false;
  }
  port_.set_option(serial_port_base::character_size(8), ec);
  port_.set_option(serial_port_base::parity(serial_port_base::parity::none), ec);
  port_.set_option(serial_port_base::stop_bits(serial_port_base::stop_bits::one), ec);
  port_.set_option(serial_port_base::flow_control(serial_port_base::flow_control::none), ec);
  return true;
}

void SerialChannel::Open() {
  if (OpenNow()) {
    Opened();
  } else {
    Failed();
  }
}

void SerialChannel::CloseStream() {
  std::error_code ignored;
  port_.close(ignored);
}

void SerialChannel::AsyncReadSome(asio::mutable_buffer buffer, IoHandler handler) {
  port_.async_read_some(buffer, std::move(handler));
}

void SerialChannel::AsyncWrite(const std::vector<asio::const_buffer>& buffers, IoHandler handler) {
  asio::async_write(port_, buffers, std::move(handler));
}

}  // namespace qv::comm
