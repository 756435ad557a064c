// Feeds the reply handling with arbitrary replies: each record of the input is
// kind, argument, source address, payload length (two bytes) and the payload.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/LinkHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  qv::test::LinkHarness h;
  qv::test::RecordingLink& link = h.link;
  qv::test::ManualScheduler& scheduler = h.scheduler;

  std::size_t at = 0;
  while (size - at >= 5) {
    const int kind = data[at] % qv::kReplyKindCount;
    const int arg = static_cast<int8_t>(data[at + 1]);
    const uint8_t source = data[at + 2];
    std::size_t length = data[at + 3] | data[at + 4] << 8;
    at += 5;
    if (length > size - at) length = size - at;
    // Full records are rare in random data: let a long enough payload stand for one.
    std::vector<uint8_t> payload(data + at, data + at + length);
    if (kind == 2 && !payload.empty()) payload.resize(qv::kDeviceRecordSize, payload.back());
    at += length;
    link.Deliver(kind, payload, arg, source);
    scheduler.Advance(50);
  }
  scheduler.Advance(1000);
  return 0;
}
