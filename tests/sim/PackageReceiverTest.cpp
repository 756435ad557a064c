#include "PackageReceiver.h"

#include <gtest/gtest.h>

#include <mutex>
#include <optional>

namespace qv::sim {
namespace {

using asio::ip::tcp;

// The console's upload, reduced to what the encoder sees on the wire.
class Uploader {
 public:
  explicit Uploader(uint16_t port) : socket_(io_) {
    socket_.connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
  }
  void Header(UploadHeader::Command command, uint32_t value) {
    asio::write(socket_, asio::buffer(UploadHeader{command, value}.Serialize()));
  }
  void Bytes(const std::vector<uint8_t>& data) { asio::write(socket_, asio::buffer(data)); }
  // The reply header's result byte.
  int Result() {
    UploadHeader::Bytes reply{};
    asio::read(socket_, asio::buffer(reply));
    const std::optional<UploadHeader> header = UploadHeader::Parse(reply);
    EXPECT_TRUE(header && header->command == UploadHeader::Command::Reply);
    return reply[7];
  }

 private:
  asio::io_context io_;
  tcp::socket socket_;
};

class PackageReceiverTest : public ::testing::Test {
 protected:
  PackageReceiverTest()
      : receiver("127.0.0.1", 0, [this](std::vector<uint8_t> p) {
          std::lock_guard lock(mutex);
          packages.push_back(std::move(p));
        }) {}

  std::vector<std::vector<uint8_t>> Packages() {
    std::lock_guard lock(mutex);
    return packages;
  }

  std::vector<uint8_t> package = [] {
    std::vector<uint8_t> p(5000);
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i * 7);
    return p;
  }();
  std::mutex mutex;
  std::vector<std::vector<uint8_t>> packages;
  PackageReceiver receiver;
};

TEST_F(PackageReceiverTest, CompletePackageSucceedsAndIsHandedOver) {
  Uploader up(receiver.port());
  up.Header(UploadHeader::Command::Start, 5000);
  for (std::size_t at = 0; at < package.size(); at += 2048) {
    up.Bytes({package.begin() + at, package.begin() + std::min(at + 2048, package.size())});
  }
  up.Header(UploadHeader::Command::End, 5000);
  EXPECT_EQ(up.Result(), 1);
  up.Header(UploadHeader::Command::Confirm, 0);
  // The package was handed over before the reply went out.
  EXPECT_EQ(Packages(), std::vector<std::vector<uint8_t>>{package});
}

TEST_F(PackageReceiverTest, CountThatDiffersFromTheSizeFails) {
  Uploader up(receiver.port());
  up.Header(UploadHeader::Command::Start, 5000);
  up.Bytes(package);
  up.Header(UploadHeader::Command::End, 4096);
  EXPECT_EQ(up.Result(), 0);
  EXPECT_TRUE(Packages().empty());
}

TEST_F(PackageReceiverTest, EndWithoutAPackageFails) {
  Uploader up(receiver.port());
  up.Header(UploadHeader::Command::End, 0);
  EXPECT_EQ(up.Result(), 0);
}

TEST_F(PackageReceiverTest, AbortedPackageIsDropped) {
  Uploader up(receiver.port());
  up.Header(UploadHeader::Command::Start, 5000);
  up.Bytes(package);
  up.Header(UploadHeader::Command::Abort, 0);
  up.Header(UploadHeader::Command::End, 5000);
  EXPECT_EQ(up.Result(), 0);
  EXPECT_TRUE(Packages().empty());
}

TEST_F(PackageReceiverTest, FaultSwitchAnswersFailure) {
  receiver.SetAnswerFailure(true);
  Uploader up(receiver.port());
  up.Header(UploadHeader::Command::Start, 5000);
  up.Bytes(package);
  up.Header(UploadHeader::Command::End, 5000);
  EXPECT_EQ(up.Result(), 0);
  EXPECT_TRUE(Packages().empty());
}

}  // namespace
}  // namespace qv::sim
