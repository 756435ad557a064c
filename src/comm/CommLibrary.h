#pragma once
// The processor link library: TCP links to processors on the network, a
// serial line, and UDP discovery, all driven by one I/O thread of its own.
// Reply handlers run on that thread; send operations may be called from any
// thread. Wire format: docs/protocol.md.

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FrameReceiver.h"
#include "link/CommLink.h"

namespace asio {
class io_context;
}

namespace qv::comm {

class Channel;
class Discovery;
struct Frame;

class CommLibrary final : public CommLink {
 public:
  struct Options {
    // A keepalive goes out when nothing else was sent for this long.
    std::chrono::milliseconds keepaliveInterval{1000};
    // A link that received nothing for this long is reported down and reopened.
    std::chrono::milliseconds deadAfter{3000};
    // Pause between attempts to reopen a link that is down.
    std::chrono::milliseconds retryInterval{1000};
    // Longest wait for a TCP connection to be accepted.
    std::chrono::milliseconds connectTimeout{3000};
  };

  struct Stats {
    uint64_t frames = 0;
    uint64_t badFrames = 0;
    uint64_t skippedBytes = 0;
  };

  static constexpr int kNoRoute = -1;
  static constexpr uint16_t kVersion = 0x0001;  // major 1, minor 0

  explicit CommLibrary(Options options);
  CommLibrary() : CommLibrary(Options{}) {}
  ~CommLibrary() override;
  CommLibrary(const CommLibrary&) = delete;
  CommLibrary& operator=(const CommLibrary&) = delete;

  void CommSetAddressList(std::span<const uint8_t> addresses) override;
  void CommRegisterHandler(ReplyHandler handler, int kind) override;
  void CommShutdown() override;
  int CommOpenHost(const std::string& host, int port = kDefaultLinkPort) override;
  int CommSendRecord(const DeviceStatusRecord& record, uint8_t address) override;
  int CommSendCommand(int type, const Payload& payload, uint8_t address) override;
  void CommSetLocalAddress(const std::string& localIp) override;
  void CommCloseHost(const std::string& host) override;
  void CommSelectHost(const std::string& host) override;
  int CommOpenSerial(const std::string& port, int baud) override;
  void CommCloseSerial() override;
  uint16_t CommGetVersion() override { return kVersion; }
  int CommSendBlock(int block, uint16_t length, const uint8_t* data, uint8_t address) override;

  // Hosts that get a unicast discovery request besides the broadcast: for
  // processors on other subnets, and for tests on loopback addresses.
  void CommSetDiscoveryTargets(std::vector<std::string> hosts);

  Stats GetStats() const;

  // The device address of a host text: the fourth piece of a dotted address
  // taken as one byte; 0 when the text is not of four pieces of 1 to 3 characters.
  static uint8_t DeviceAddressOf(const std::string& host);

 private:
  friend class Channel;
  friend class Discovery;

  // Called on the I/O thread.
  void OnFrame(const Frame& frame);
  void ReportStatus(uint8_t address, bool up);
  void Deliver(int kind, const ReplyView& view);
  void CountReceived(const FrameReceiver::Stats& before, const FrameReceiver::Stats& after);

  // Encodes a frame for the destination byte the route calls for and sends it
  // there; kNoRoute when there is no link to send it on.
  using Encoder = std::function<std::vector<uint8_t>(uint8_t destination)>;
  int Route(uint8_t address, const Encoder& encode);

  const Options options_;
  std::unique_ptr<asio::io_context> io_;
  std::thread thread_;
  std::atomic<bool> shutDown_{false};

  std::mutex handlersMutex_;
  std::array<ReplyHandler, kReplyKindCount> handlers_;

  // Guards the channel tables and the routing state, read by senders on any thread.
  mutable std::mutex routesMutex_;
  std::map<std::string, std::shared_ptr<Channel>> hosts_;
  std::shared_ptr<Channel> serial_;
  std::string activeHost_;
  std::vector<uint8_t> addressList_;
  std::string localAddress_;
  std::vector<std::string> discoveryTargets_;
  std::shared_ptr<Discovery> discovery_;

  std::atomic<uint64_t> frames_{0}, badFrames_{0}, skippedBytes_{0};
};

}  // namespace qv::comm
