#pragma once
#include <asio.hpp>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "UploadHeader.h"

namespace qv::sim {

// One connection of the encoder package upload, from the encoder's side:
// 'm' announces the size and the package bytes follow, 'o' closes it with the
// count sent and is answered with a reply header, 'a' throws the package away.
// Lives as long as a read or write of its own is pending.
class UploadSession : public std::enable_shared_from_this<UploadSession> {
 public:
  using PackageHandler = std::function<void(std::vector<uint8_t>)>;
  static constexpr uint32_t kMaxPackage = 64u << 20;

  UploadSession(asio::ip::tcp::socket socket, const PackageHandler& onPackage,
                const std::atomic<bool>& answerFailure)
      : socket_(std::move(socket)), onPackage_(onPackage), answerFailure_(answerFailure) {}

  void Start() { ReadHeader(); }

 private:
  void ReadHeader();
  void OnHeader(const UploadHeader& header);
  void ReadPackage();
  void Answer(bool success);

  asio::ip::tcp::socket socket_;
  const PackageHandler& onPackage_;
  const std::atomic<bool>& answerFailure_;
  UploadHeader::Bytes header_{};
  UploadHeader::Bytes reply_{};
  std::vector<uint8_t> package_;
  bool complete_ = false;  // all announced bytes arrived
};

}  // namespace qv::sim
