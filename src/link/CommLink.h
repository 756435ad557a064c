#pragma once
// The operations of the processor link library, as the console calls them.
// The library owns the transports and the framing; the console hands it typed
// 32-byte payloads and receives parsed replies through one handler per kind.
// Handlers run on the library's own I/O thread; send operations may be called
// from any thread.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "DeviceStatusRecord.h"

namespace qv {

inline constexpr int kReplyKindCount = 32;
inline constexpr int kDefaultLinkPort = 61213;
inline constexpr std::size_t kPayloadSize = 32;
using Payload = std::array<uint8_t, kPayloadSize>;

// One parsed reply as the library hands it to a handler. The views are valid
// only during the call: a handler that keeps anything copies it.
struct ReplyView {
  std::span<const uint8_t> payload;  // kind 27: the processor's name
  int arg = 0;            // window or cell index (kinds 8, 10, 11, 12), count (14), channel (26)
  uint8_t source = 0;     // device address of the replying processor
  std::string_view text;  // kind 27: the processor's address text
  std::optional<std::array<uint32_t, 2>> values;  // kind 27: host details, absent when none
};

class CommLink {
 public:
  using ReplyHandler = std::function<void(const ReplyView&)>;

  virtual ~CommLink() = default;

  virtual void CommSetAddressList(std::span<const uint8_t> addresses) = 0;
  virtual void CommRegisterHandler(ReplyHandler handler, int kind) = 0;
  virtual void CommShutdown() = 0;
  virtual int CommOpenHost(const std::string& host, int port = kDefaultLinkPort) = 0;
  virtual int CommSendRecord(const DeviceStatusRecord& record, uint8_t address) = 0;
  virtual int CommSendCommand(int type, const Payload& payload, uint8_t address) = 0;
  virtual void CommSetLocalAddress(const std::string& localIp) = 0;
  virtual void CommCloseHost(const std::string& host) = 0;
  virtual void CommSelectHost(const std::string& host) = 0;
  // Nonzero on success. `port` is the serial device path (for example /dev/ttyUSB0).
  virtual int CommOpenSerial(const std::string& port, int baud) = 0;
  virtual void CommCloseSerial() = 0;
  // Low byte major, high byte minor.
  virtual uint16_t CommGetVersion() = 0;
  virtual int CommSendBlock(int block, uint16_t length, const uint8_t* data, uint8_t address) = 0;
};

}  // namespace qv
