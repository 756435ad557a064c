#include "PackageReceiver.h"

#include <memory>

namespace qv::sim {

PackageReceiver::PackageReceiver(const std::string& address, uint16_t port,
                                 PackageHandler onPackage)
    : onPackage_(std::move(onPackage)),
      acceptor_(io_, asio::ip::tcp::endpoint(asio::ip::make_address(address), port)) {
  port_ = acceptor_.local_endpoint().port();
  Accept();
  thread_ = std::thread([this] { io_.run(); });
}

PackageReceiver::~PackageReceiver() {
  Stop();
}

void PackageReceiver::Stop() {
  io_.stop();
  if (thread_.joinable()) thread_.join();
}

void PackageReceiver::Accept() {
  acceptor_.async_accept([this](std::error_code ec, asio::ip::tcp::socket socket) {
    if (ec) return;
    std::make_shared<UploadSession>(std::move(socket), onPackage_, answerFailure_)->Start();
    Accept();
  });
}

}  // namespace qv::sim
