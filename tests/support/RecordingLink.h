#pragma once
// A link that records what the console sends and lets a test deliver replies
// through the handlers the console registered.

#include <vector>

#include "link/CommLink.h"

namespace qv::test {

struct SentCommand {
  int type = 0;
  Payload payload{};
  uint8_t address = 0;
};

class RecordingLink : public CommLink {
 public:
  void CommSetAddressList(std::span<const uint8_t> a) override {
    addresses.assign(a.begin(), a.end());
  }
  void CommRegisterHandler(ReplyHandler handler, int kind) override {
    registrationOrder.push_back(kind);
    if (kind >= 0 && kind < kReplyKindCount) handlers[kind] = std::move(handler);
  }
  void CommShutdown() override { shutDown = true; }
  int CommOpenHost(const std::string&, int) override { return 1; }
  int CommSendRecord(const DeviceStatusRecord& record, uint8_t address) override {
    records.push_back(record);
    recordAddresses.push_back(address);
    return 0;
  }
  int CommSendCommand(int type, const Payload& payload, uint8_t address) override {
    sent.push_back({type, payload, address});
    return 0;
  }
  void CommSetLocalAddress(const std::string&) override {}
  void CommCloseHost(const std::string&) override {}
  void CommSelectHost(const std::string&) override {}
  int CommOpenSerial(const std::string&, int) override { return 1; }
  void CommCloseSerial() override {}
  uint16_t CommGetVersion() override { return 0x0001; }
  int CommSendBlock(int, uint16_t, const uint8_t*, uint8_t) override { return 0; }

  // Delivers a reply as the library's thread would.
  void Deliver(int kind, std::span<const uint8_t> payload, int arg = 0, uint8_t source = 110) {
    ReplyView view;
    view.payload = payload;
    view.arg = arg;
    view.source = source;
    handlers[kind](view);
  }
  std::vector<int> SentTypes() const {
    std::vector<int> types;
    for (const auto& c : sent) types.push_back(c.type);
    return types;
  }

  ReplyHandler handlers[kReplyKindCount];
  std::vector<int> registrationOrder;
  std::vector<uint8_t> addresses;
  std::vector<SentCommand> sent;
  std::vector<DeviceStatusRecord> records;
  std::vector<uint8_t> recordAddresses;
  bool shutDown = false;
};

}  // namespace qv::test
