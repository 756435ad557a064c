#include "CommLibrary.h"

#include <asio.hpp>
#include <cstring>

#include "CommandLength.h"
#include "Discovery.h"
#include "FrameCodec.h"
#include "SerialChannel.h"
#include "TcpChannel.h"
#include "base/ThreadName.h"
#include "link/CommandType.h"

namespace qv::comm {

CommLibrary::CommLibrary(Options options)
    : options_(options), io_(std::make_unique<asio::io_context>(1)) {
  discovery_ = std::make_shared<Discovery>(*this, *io_);
  thread_ = std::thread([this] {
    SetCurrentThreadName("qv-link-io");
    auto work = asio::make_work_guard(*io_);
    io_->run();
  });
}

CommLibrary::~CommLibrary() {
  CommShutdown();
}

void CommLibrary::CommShutdown() {
  if (shutDown_.exchange(true)) return;
  {
    std::lock_guard lock(routesMutex_);
    for (auto& [host, channel] : hosts_) channel->Close();
    if (serial_) serial_->Close();
    hosts_.clear();
    serial_.reset();
  }
  asio::post(*io_, [this] {
    discovery_->Close();
    io_->stop();
  });
  thread_.join();
}

uint8_t CommLibrary::DeviceAddressOf(const std::string& host) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = host.find('.', start);
    pieces.push_back(
        host.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (!pieces.empty() && pieces.back().empty()) pieces.pop_back();  // a trailing dot
  if (pieces.size() != 4) return 0;
  for (const std::string& piece : pieces) {
    if (piece.empty() || piece.size() > 3) return 0;
  }
  int value = 0;
  for (char c : pieces[3]) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return static_cast<uint8_t>(value);
}

void CommLibrary::CommSetAddressList(std::span<const uint8_t> addresses) {
  std::lock_guard lock(routesMutex_);
  addressList_.assign(addresses.begin(), addresses.end());
}

void CommLibrary::CommRegisterHandler(ReplyHandler handler, int kind) {
  if (kind < 0 || kind >= kReplyKindCount) return;
  std::lock_guard lock(handlersMutex_);
  handlers_[kind] = std::move(handler);
}

int CommLibrary::CommOpenHost(const std::string& host, int port) {
  if (shutDown_ || host.empty()) return 0;
  std::lock_guard lock(routesMutex_);
  if (const auto it = hosts_.find(host); it != hosts_.end()) {
    it->second->ReassertStatus();
    return 1;
  }
  auto channel = std::make_shared<TcpChannel>(*this, *io_, options_, host, port, localAddress_);
  hosts_[host] = channel;
  if (activeHost_.empty()) activeHost_ = host;
  channel->Start(false);
  return 1;
}

void CommLibrary::CommCloseHost(const std::string& host) {
  std::lock_guard lock(routesMutex_);
  const auto it = hosts_.find(host);
  if (it == hosts_.end()) return;
  it->second->Close();
  hosts_.erase(it);
  if (activeHost_ == host) activeHost_.clear();
}

void CommLibrary::CommSelectHost(const std::string& host) {
  std::lock_guard lock(routesMutex_);
  if (hosts_.count(host)) activeHost_ = host;
}

void CommLibrary::CommSetLocalAddress(const std::string& localIp) {
  std::lock_guard lock(routesMutex_);
  localAddress_ = localIp;
}

void CommLibrary::CommSetDiscoveryTargets(std::vector<std::string> hosts) {
  std::lock_guard lock(routesMutex_);
  discoveryTargets_ = std::move(hosts);
}

int CommLibrary::CommOpenSerial(const std::string& port, int baud) {
  if (shutDown_ || baud <= 0) return 0;
  auto channel =
      std::make_shared<SerialChannel>(*this, *io_, options_, port, static_cast<unsigned>(baud));
  if (!channel->OpenNow()) return 0;
  std::lock_guard lock(routesMutex_);
  if (serial_) serial_->Close();
  serial_ = channel;
  channel->Start(true);
  return 1;
}

void CommLibrary::CommCloseSerial() {
  std::lock_guard lock(routesMutex_);
  if (!serial_) return;
  serial_->Close();
  serial_.reset();
}

int CommLibrary::Route(uint8_t address, const Encoder& encode) {
  if (shutDown_) return kNoRoute;
  std::lock_guard lock(routesMutex_);
  const bool toEveryone =
      std::find(addressList_.begin(), addressList_.end(), kAllDevices) != addressList_.end();
  if (serial_) {
    // One line, every processor on it listening: the address list decides
    // whether frames are addressed to all of them or to the target.
    auto bytes = encode(toEveryone ? kAllDevices : address);
    if (bytes.empty()) return kNoRoute;
    serial_->Send(std::move(bytes));
    return 0;
  }
  auto bytes = encode(address);
  if (bytes.empty()) return kNoRoute;
  if (address == kAllDevices) {
    int sent = 0;
    for (auto& [host, channel] : hosts_) {
      if (addressList_.empty() || toEveryone ||
          std::find(addressList_.begin(), addressList_.end(), channel->address()) !=
              addressList_.end()) {
        channel->Send(bytes);
        ++sent;
      }
    }
    return sent > 0 ? 0 : kNoRoute;
  }
  for (auto& [host, channel] : hosts_) {
    if (channel->address() == address) {
      channel->Send(std::move(bytes));
      return 0;
    }
  }
  const auto active = hosts_.find(activeHost_);
  if (active == hosts_.end()) return kNoRoute;
  active->second->Send(std::move(bytes));
  return 0;
}

int CommLibrary::CommSendCommand(int type, const Payload& payload, uint8_t address) {
  if (type == static_cast<int>(CommandType::SearchPing)) {
    // The search leaves as a discovery request: processors not yet linked answer it too.
    if (shutDown_) return kNoRoute;
    std::lock_guard lock(routesMutex_);
    asio::post(*io_, [discovery = discovery_, local = localAddress_, targets = discoveryTargets_] {
      discovery->Search(local, targets);
    });
    return 0;
  }
  const std::span<const uint8_t> carried(payload.data(), CommandLength(type));
  return Route(address, [&](uint8_t destination) {
    return FrameCodec::Encode(FrameClass::Command, destination, kConsoleAddress,
                              static_cast<uint16_t>(type), 0, carried);
  });
}

int CommLibrary::CommSendRecord(const DeviceStatusRecord& record, uint8_t address) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(&record), sizeof record);
  return Route(address, [&](uint8_t destination) {
    return FrameCodec::Encode(FrameClass::Record, destination, kConsoleAddress,
                              static_cast<uint16_t>(CommandType::WriteFullState), 0, bytes);
  });
}

int CommLibrary::CommSendBlock(int block, uint16_t length, const uint8_t* data, uint8_t address) {
  if (length > 0 && !data) return kNoRoute;
  const std::span<const uint8_t> bytes(data, length);
  return Route(address, [&](uint8_t destination) {
    return FrameCodec::Encode(FrameClass::Block, destination, kConsoleAddress, 0, block, bytes);
  });
}

void CommLibrary::OnFrame(const Frame& frame) {
  if (frame.code >= kReplyKindCount) return;
  ReplyView view;
  view.payload = frame.payload;
  view.arg = frame.arg;
  view.source = frame.source;
  Deliver(frame.code, view);
}

void CommLibrary::ReportStatus(uint8_t address, bool up) {
  const uint8_t status = up ? 1 : 0;
  ReplyView view;
  view.payload = std::span<const uint8_t>(&status, 1);
  view.source = address;
  Deliver(0, view);
}

void CommLibrary::Deliver(int kind, const ReplyView& view) {
  ReplyHandler handler;
  {
    std::lock_guard lock(handlersMutex_);
    handler = handlers_[kind];
  }
  if (handler) handler(view);
}

void CommLibrary::CountReceived(const FrameReceiver::Stats& before,
                                const FrameReceiver::Stats& after) {
  frames_ += after.frames - before.frames;
  badFrames_ += after.badFrames - before.badFrames;
  skippedBytes_ += after.skippedBytes - before.skippedBytes;
}

CommLibrary::Stats CommLibrary::GetStats() const {
  return {frames_.load(), badFrames_.load(), skippedBytes_.load()};
}

}  // namespace qv::comm
