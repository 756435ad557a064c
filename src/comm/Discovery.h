#pragma once
// Finding processors: a discovery request goes to the broadcast address of
// every IPv4 adapter (or of the chosen one), to 255.255.255.255 and to any
// listed host; each processor answers with its hardware address and name.

#include <array>
#include <asio.hpp>
#include <memory>
#include <string>
#include <vector>

namespace qv::comm {

class CommLibrary;

class Discovery : public std::enable_shared_from_this<Discovery> {
 public:
  Discovery(CommLibrary& library, asio::io_context& io);

  // On the I/O thread.
  void Search(const std::string& localAddress, const std::vector<std::string>& targets);
  void Close();

 private:
  void ReceiveMore();
  bool EnsureSocket(const std::string& localAddress);
  static std::vector<asio::ip::address_v4> BroadcastAddresses(const std::string& localAddress);

  CommLibrary& library_;
  asio::ip::udp::socket socket_;
  std::string boundTo_;
  asio::ip::udp::endpoint sender_;
  std::array<uint8_t, 2048> buffer_{};
};

}  // namespace qv::comm
