#include "TcpChannel.h"

namespace qv::comm {

TcpChannel::TcpChannel(CommLibrary& library, asio::io_context& io,
                       const CommLibrary::Options& options, std::string host, int port,
                       std::string localAddress)
    : Channel(library, io, options, CommLibrary::DeviceAddressOf(host)),
      host_(std::move(host)),
      port_(port),
      localAddress_(std::move(localAddress)),
      resolver_(io),
      socket_(io),
      connectDeadline_(io) {}

void TcpChannel::Open() {
  auto self = std::static_pointer_cast<TcpChannel>(shared_from_this());
  resolver_.async_resolve(
      host_, std::to_string(port_),
      [self](const std::error_code& ec, asio::ip::tcp::resolver::results_type results) {
        if (ec || results.empty()) {
          self->Failed();
          return;
        }
        self->Connect(*results.begin());
      });
}

void TcpChannel::Connect(const asio::ip::tcp::endpoint& endpoint) {
  std::error_code ec;
  socket_.close(ec);
  socket_.open(endpoint.protocol(), ec);
  if (ec) {
    Failed();
    return;
  }
  if (!localAddress_.empty()) {
    // Leaving by the chosen adapter; an address that is not local is ignored.
    const asio::ip::address local = asio::ip::make_address(localAddress_, ec);
    if (!ec) socket_.bind({local, 0}, ec);
  }
  auto self = std::static_pointer_cast<TcpChannel>(shared_from_this());
  connectDeadline_.expires_after(options_.connectTimeout);
  connectDeadline_.async_wait([self](const std::error_code& timerEc) {
    if (!timerEc) {
      std::error_code ignored;
      self->socket_.close(ignored);  // the pending connect ends with an error
    }
  });
  socket_.async_connect(endpoint, [self](const std::error_code& connectEc) {
    self->connectDeadline_.cancel();
    if (connectEc) {
      self->Failed();
      return;
    }
    std::error_code ignored;
    self->socket_.set_option(asio::ip::tcp::no_delay(true), ignored);
    self->socket_.set_option(asio::socket_base::keep_alive(true), ignored);
    self->Opened();
  });
}

void TcpChannel::CloseStream() {
  std::error_code ignored;
  resolver_.cancel();
  connectDeadline_.cancel();
  socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
  socket_.close(ignored);
}

void TcpChannel::AsyncReadSome(asio::mutable_buffer buffer, IoHandler handler) {
  socket_.async_read_some(buffer, std::move(handler));
}

void TcpChannel::AsyncWrite(const std::vector<asio::const_buffer>& buffers, IoHandler handler) {
  asio::async_write(socket_, buffers, std::move(handler));
}

}  // namespace qv::comm
