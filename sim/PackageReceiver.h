#pragma once
#include <asio.hpp>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "UploadSession.h"

namespace qv::sim {

// The preview encoder's package upload service (TCP port 8877): takes the
// console's encoder software package and reports each complete one. Runs on a
// thread of its own from construction until Stop or destruction.
class PackageReceiver {
 public:
  static constexpr uint16_t kDefaultPort = 8877;
  using PackageHandler = UploadSession::PackageHandler;

  // Listens on `address`:`port` (port 0 picks a free one). `onPackage` runs on
  // the receiver's thread for every package whose count and size agree.
  // Throws std::system_error when the port cannot be bound.
  PackageReceiver(const std::string& address, uint16_t port, PackageHandler onPackage);
  ~PackageReceiver();
  PackageReceiver(const PackageReceiver&) = delete;
  PackageReceiver& operator=(const PackageReceiver&) = delete;

  uint16_t port() const { return port_; }
  // Fault switch: every upload is answered as failed.
  void SetAnswerFailure(bool on) { answerFailure_.store(on); }
  // Closes the port and every connection; waits for the thread to end.
  void Stop();

 private:
  void Accept();

  // Declared before the I/O context: sessions still queued in it refer to them.
  const PackageHandler onPackage_;
  std::atomic<bool> answerFailure_{false};
  asio::io_context io_;
  asio::ip::tcp::acceptor acceptor_;
  uint16_t port_ = 0;
  std::thread thread_;
};

}  // namespace qv::sim
