#include "Discovery.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>

#include "CommLibrary.h"
#include "FrameCodec.h"

namespace qv::comm {

Discovery::Discovery(CommLibrary& library, asio::io_context& io) : library_(library), socket_(io) {}

bool Discovery::EnsureSocket(const std::string& localAddress) {
  if (socket_.is_open() && boundTo_ == localAddress) return true;
  std::error_code ec;
  socket_.close(ec);
  socket_.open(asio::ip::udp::v4(), ec);
  if (ec) return false;
  socket_.set_option(asio::socket_base::broadcast(true), ec);
  asio::ip::address_v4 local = asio::ip::address_v4::any();
  if (!localAddress.empty()) {
    const asio::ip::address_v4 chosen = asio::ip::make_address_v4(localAddress, ec);
    if (!ec) local = chosen;
  }
  socket_.bind({local, 0}, ec);
  if (ec) socket_.bind({asio::ip::address_v4::any(), 0}, ec);
  if (ec) {
    socket_.close(ec);
    return false;
  }
  boundTo_ = localAddress;
  ReceiveMore();
  return true;
}

std::vector<asio::ip::address_v4> Discovery::BroadcastAddresses(const std::string& localAddress) {
  std::vector<asio::ip::address_v4> out{asio::ip::address_v4::broadcast()};
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return out;
  for (ifaddrs* it = list; it; it = it->ifa_next) {
    if (!it->ifa_addr || it->ifa_addr->sa_family != AF_INET || !it->ifa_netmask) continue;
    if (!(it->ifa_flags & IFF_UP) || !(it->ifa_flags & IFF_BROADCAST)) continue;
    const uint32_t addr = ntohl(reinterpret_cast<sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr);
    const uint32_t mask = ntohl(reinterpret_cast<sockaddr_in*>(it->ifa_netmask)->sin_addr.s_addr);
    const asio::ip::address_v4 address(addr);
    if (!localAddress.empty() && address.to_string() != localAddress) continue;
    const asio::ip::address_v4 broadcast(addr | ~mask);
    if (std::find(out.begin(), out.end(), broadcast) == out.end()) out.push_back(broadcast);
  }
  freeifaddrs(list);
  return out;
}

void Discovery::Search(const std::string& localAddress, const std::vector<std::string>& targets) {
  if (!EnsureSocket(localAddress)) return;
  const auto request = std::make_shared<std::vector<uint8_t>>(
      FrameCodec::Encode(FrameClass::DiscoveryRequest, kAllDevices, kConsoleAddress, 0, 0, {}));
  std::vector<asio::ip::udp::endpoint> endpoints;
  for (const auto& address : BroadcastAddresses(localAddress)) {
    endpoints.emplace_back(address, kDiscoveryPort);
  }
  for (const std::string& host : targets) {
    std::error_code ec;
    const asio::ip::address address = asio::ip::make_address(host, ec);
    if (!ec) endpoints.emplace_back(address, kDiscoveryPort);
  }
  // The loopback adapter carries no broadcast: searching on it asks the
  // processor on this computer itself (a simulator) directly.
  std::error_code ec;
  const asio::ip::address_v4 local = asio::ip::make_address_v4(localAddress, ec);
  if (!ec && local.is_loopback()) endpoints.emplace_back(local, kDiscoveryPort);
  for (const auto& endpoint : endpoints) {
    // Fire and forget: an unreachable network just yields no answers.
    socket_.async_send_to(asio::buffer(*request), endpoint,
                          [request](const std::error_code&, std::size_t) {});
  }
}

void Discovery::ReceiveMore() {
  socket_.async_receive_from(
      asio::buffer(buffer_), sender_,
      [self = shared_from_this()](const std::error_code& ec, std::size_t n) {
        if (ec == asio::error::operation_aborted || !self->socket_.is_open()) return;
        Frame frame;
        // An answer: hardware address (6 bytes), TCP port (2 bytes), name.
        if (!ec && FrameCodec::DecodeDatagram({self->buffer_.data(), n}, frame) &&
            frame.cls == FrameClass::DiscoveryAnswer && frame.payload.size() >= 8) {
          const auto& p = frame.payload;
          ReplyView view;
          const std::string ip = self->sender_.address().to_string();
          view.text = ip;
          view.values =
              std::array<uint32_t, 2>{static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
                                          static_cast<uint32_t>(p[3]) << 24,
                                      static_cast<uint32_t>(p[4] | p[5] << 8)};
          view.payload = std::span<const uint8_t>(p).subspan(8);
          view.source = CommLibrary::DeviceAddressOf(ip);
          self->library_.Deliver(27, view);
        }
        self->ReceiveMore();
      });
}

void Discovery::Close() {
  std::error_code ignored;
  socket_.close(ignored);
}

}  // namespace qv::comm
