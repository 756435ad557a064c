#pragma once
#include <string>

#include "Channel.h"

namespace qv::comm {

// A TCP connection to one processor, reconnected while it is down.
class TcpChannel final : public Channel {
 public:
  TcpChannel(CommLibrary& library, asio::io_context& io, const CommLibrary::Options& options,
             std::string host, int port, std::string localAddress);

 protected:
  void Open() override;
  void CloseStream() override;
  void AsyncReadSome(asio::mutable_buffer buffer, IoHandler handler) override;
  void AsyncWrite(const std::vector<asio::const_buffer>& buffers, IoHandler handler) override;

 private:
  void Connect(const asio::ip::tcp::endpoint& endpoint);

  const std::string host_;
  const int port_;
  const std::string localAddress_;
  asio::ip::tcp::resolver resolver_;
  asio::ip::tcp::socket socket_;
  asio::steady_timer connectDeadline_;
};

}  // namespace qv::comm
