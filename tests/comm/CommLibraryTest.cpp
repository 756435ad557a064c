#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>

#include "FakeProcessor.h"
#include "comm/CommLibrary.h"
#include "support/ThreadNames.h"

namespace qv::comm {
namespace {

using namespace std::chrono_literals;

struct Event {
  int kind;
  uint8_t source;
  std::vector<uint8_t> payload;
  int arg;
  std::string text;
  std::optional<std::array<uint32_t, 2>> values;
};

// Collects what the library delivers on its thread, for the test thread to wait on.
class Inbox {
 public:
  void Attach(CommLibrary& library) {
    for (int kind = 0; kind < kReplyKindCount; ++kind) {
      library.CommRegisterHandler(
          [this, kind](const ReplyView& v) {
            std::lock_guard lock(mutex_);
            events_.push_back({kind,
                               v.source,
                               {v.payload.begin(), v.payload.end()},
                               v.arg,
                               std::string(v.text),
                               v.values});
            cv_.notify_all();
          },
          kind);
    }
  }
  // Waits for the first event that matches and removes it with those before it.
  std::optional<Event> WaitFor(const std::function<bool(const Event&)>& match,
                               std::chrono::milliseconds timeout = 3000ms) {
    std::unique_lock lock(mutex_);
    std::optional<Event> found;
    cv_.wait_for(lock, timeout, [&] {
      for (auto it = events_.begin(); it != events_.end(); ++it) {
        if (match(*it)) {
          found = *it;
          events_.erase(events_.begin(), it + 1);
          return true;
        }
      }
      return false;
    });
    return found;
  }
  std::optional<Event> WaitStatus(uint8_t source, uint8_t status,
                                  std::chrono::milliseconds timeout = 3000ms) {
    return WaitFor(
        [&](const Event& e) {
          return e.kind == 0 && e.source == source && e.payload == std::vector<uint8_t>{status};
        },
        timeout);
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Event> events_;
};

// Quick reconnection; the keepalive keeps its own pace so that a loaded test
// machine does not take a slow answer for a dead processor.
CommLibrary::Options QuickRetry() {
  CommLibrary::Options o;
  o.retryInterval = 50ms;
  return o;
}

// A keepalive fast enough to test a hung processor in a fraction of a second.
CommLibrary::Options FastKeepalive() {
  CommLibrary::Options o = QuickRetry();
  o.keepaliveInterval = 50ms;
  o.deadAfter = 300ms;
  return o;
}

Payload Fill() {
  Payload p;
  p.fill(0x55);
  return p;
}

class CommLibraryTest : public ::testing::Test {
 protected:
  CommLibraryTest() { inbox.Attach(library); }
  Inbox inbox;  // outlives the library, whose thread delivers into it
  CommLibrary library{QuickRetry()};
};

TEST_F(CommLibraryTest, TcpLinkComesUpAndCarriesCommandsBothWays) {
  test::FakeProcessor processor("127.0.0.1", 1);
  EXPECT_EQ(library.CommOpenHost("127.0.0.1", processor.port()), 1);
  ASSERT_TRUE(inbox.WaitStatus(1, 1));
  // Opening it again (a search finding the processor already linked) tells the state again.
  EXPECT_EQ(library.CommOpenHost("127.0.0.1", processor.port()), 1);
  ASSERT_TRUE(inbox.WaitStatus(1, 1));

  Payload p = Fill();
  p[0] = 2;
  p[1] = 1;
  p[2] = 0;
  EXPECT_EQ(library.CommSendCommand(7, p, 1), 0);
  const auto ack = inbox.WaitFor([](const Event& e) { return e.kind == 23; });
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->source, 1);

  const auto received = processor.Received();
  const auto command = std::find_if(received.begin(), received.end(),
                                    [](const Frame& f) { return f.cls == FrameClass::Command; });
  ASSERT_NE(command, received.end());
  EXPECT_EQ(command->code, 7);
  EXPECT_EQ(command->destination, 1);
  EXPECT_EQ(command->payload, (std::vector<uint8_t>{2, 1, 0}));  // only the bytes type 7 writes

  processor.SendReply(10, 3, std::vector<uint8_t>(20, 9));
  const auto geometry = inbox.WaitFor([](const Event& e) { return e.kind == 10; });
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->arg, 3);
  EXPECT_EQ(geometry->payload.size(), 20u);
}

TEST_F(CommLibraryTest, TheIoThreadIsNamed) {
  test::FakeProcessor processor("127.0.0.1", 1);
  library.CommOpenHost("127.0.0.1", processor.port());
  // The link came up on the I/O thread, which names itself first.
  ASSERT_TRUE(inbox.WaitStatus(1, 1));
  const std::vector<std::string> names = qv::test::ThreadNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "qv-link-io"), names.end());
}

TEST_F(CommLibraryTest, RecordsAndBlocksTravelWhole) {
  test::FakeProcessor processor("127.0.0.1", 1);
  library.CommOpenHost("127.0.0.1", processor.port());
  ASSERT_TRUE(inbox.WaitStatus(1, 1));
  DeviceStatusRecord record{};
  record.HReso = 1920;
  EXPECT_EQ(library.CommSendRecord(record, 1), 0);
  const std::vector<uint8_t> block(4096, 0x33);
  EXPECT_EQ(library.CommSendBlock(12, static_cast<uint16_t>(block.size()), block.data(), 1), 0);
  ASSERT_TRUE(inbox.WaitFor([](const Event& e) { return e.kind == 23; }));
  ASSERT_TRUE(inbox.WaitFor([](const Event& e) { return e.kind == 23; }));
  const auto received = processor.Received();
  std::vector<Frame> payloads;
  for (const Frame& f : received) {
    if (f.cls == FrameClass::Record || f.cls == FrameClass::Block) payloads.push_back(f);
  }
  ASSERT_EQ(payloads.size(), 2u);
  EXPECT_EQ(payloads[0].payload.size(), kDeviceRecordSize);
  EXPECT_EQ(payloads[0].payload[4], 0x80);
  EXPECT_EQ(payloads[1].arg, 12);
  EXPECT_EQ(payloads[1].payload, block);
}

TEST(CommLibrary, DeadProcessorIsReportedAndTheLinkComesBack) {
  Inbox inbox;
  CommLibrary library(FastKeepalive());
  inbox.Attach(library);
  test::FakeProcessor processor("127.0.0.1", 1);
  library.CommOpenHost("127.0.0.1", processor.port());
  ASSERT_TRUE(inbox.WaitStatus(1, 1));

  processor.PowerOff();
  ASSERT_TRUE(inbox.WaitStatus(1, 0));
  processor.PowerOn();
  ASSERT_TRUE(inbox.WaitStatus(1, 1));

  // A processor that hangs with its connection open is noticed by the keepalive.
  processor.SetSilent(true);
  ASSERT_TRUE(inbox.WaitStatus(1, 0));
  processor.SetSilent(false);
  ASSERT_TRUE(inbox.WaitStatus(1, 1));
}

TEST_F(CommLibraryTest, DefaultKeepaliveNoticesAHungProcessorWithinFiveSeconds) {
  test::FakeProcessor processor("127.0.0.1", 1);
  library.CommOpenHost("127.0.0.1", processor.port());
  ASSERT_TRUE(inbox.WaitStatus(1, 1));
  processor.SetSilent(true);
  EXPECT_TRUE(inbox.WaitStatus(1, 0, 5000ms));
}

TEST_F(CommLibraryTest, FramesGoWhereTheAddressSays) {
  test::FakeProcessor two("127.0.0.2", 2);
  test::FakeProcessor three("127.0.0.3", 3);
  library.CommOpenHost("127.0.0.2", two.port());
  library.CommOpenHost("127.0.0.3", three.port());
  ASSERT_TRUE(inbox.WaitStatus(2, 1));
  ASSERT_TRUE(inbox.WaitStatus(3, 1));
  const auto commands = [](test::FakeProcessor& p) {
    std::vector<uint16_t> codes;
    for (const Frame& f : p.Received()) {
      if (f.cls == FrameClass::Command) codes.push_back(f.code);
    }
    return codes;
  };
  const auto settle = [&](int acks) {
    for (int i = 0; i < acks; ++i) {
      ASSERT_TRUE(inbox.WaitFor([](const Event& e) { return e.kind == 23; }));
    }
  };

  library.CommSendCommand(12, Fill(), 3);  // to processor 3 only
  settle(1);
  const uint8_t both[] = {2, 3};
  library.CommSetAddressList(both);
  library.CommSendCommand(15, Fill(), 255);  // to every listed processor
  settle(2);
  const uint8_t onlyTwo[] = {2};
  library.CommSetAddressList(onlyTwo);
  library.CommSendCommand(16, Fill(), 255);
  settle(1);
  library.CommSelectHost("127.0.0.2");
  library.CommSendCommand(18, Fill(), 99);  // no such processor: the selected one
  settle(1);

  EXPECT_EQ(commands(two), (std::vector<uint16_t>{15, 16, 18}));
  EXPECT_EQ(commands(three), (std::vector<uint16_t>{12, 15}));

  library.CommCloseHost("127.0.0.2");
  library.CommCloseHost("127.0.0.3");
  EXPECT_EQ(library.CommSendCommand(12, Fill(), 3), CommLibrary::kNoRoute);
}

TEST_F(CommLibraryTest, SerialLineOverAPty) {
  int master = -1, slave = -1;
  char name[256] = {};
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  // Held open so the master never sees the line hang up between our opens.
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } holdSlave{slave};
  auto processor = std::make_unique<test::FakeProcessor>(master, 110);

  EXPECT_EQ(library.CommOpenSerial("/nonexistent/tty", 115200), 0);
  const uint8_t all[] = {255};
  library.CommSetAddressList(all);
  ASSERT_NE(library.CommOpenSerial(name, 115200), 0);
  ASSERT_TRUE(inbox.WaitStatus(255, 1));

  library.CommSendCommand(0, Fill(), 110);
  const auto ack = inbox.WaitFor([](const Event& e) { return e.kind == 23; });
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->source, 110);
  const auto received = processor->Received();
  const auto query = std::find_if(received.begin(), received.end(),
                                  [](const Frame& f) { return f.cls == FrameClass::Command; });
  ASSERT_NE(query, received.end());
  EXPECT_EQ(query->destination, 255);  // the address list says: every processor on the line
  EXPECT_TRUE(query->payload.empty());

  processor.reset();  // the adapter goes away
  ASSERT_TRUE(inbox.WaitStatus(255, 0));
  library.CommCloseSerial();
}

TEST_F(CommLibraryTest, GarbageAndDamagedFramesNeverReachTheHandlers) {
  test::FakeProcessor processor("127.0.0.1", 1);
  library.CommOpenHost("127.0.0.1", processor.port());
  ASSERT_TRUE(inbox.WaitStatus(1, 1));
  std::vector<uint8_t> bytes = {0x00, 0xA5, 0x13, 0xFF, 0xA5, 0x5A};
  auto damaged = FrameCodec::Encode(FrameClass::Reply, 0, 1, 18, 0, std::vector<uint8_t>{7});
  damaged[18] ^= 0xFF;
  bytes.insert(bytes.end(), damaged.begin(), damaged.end());
  const auto good = FrameCodec::Encode(FrameClass::Reply, 0, 1, 18, 0, std::vector<uint8_t>{9});
  bytes.insert(bytes.end(), good.begin(), good.end());
  processor.SendRaw(bytes);
  const auto loopOut = inbox.WaitFor([](const Event& e) { return e.kind == 18; });
  ASSERT_TRUE(loopOut) << "frames " << library.GetStats().frames << ", bad "
                       << library.GetStats().badFrames << ", skipped "
                       << library.GetStats().skippedBytes;
  EXPECT_EQ(loopOut->payload, std::vector<uint8_t>{9});
  // The counts are added once the whole read is handled, just after the delivery.
  CommLibrary::Stats stats;
  for (int i = 0; i < 100; ++i) {
    stats = library.GetStats();
    if (stats.badFrames == 1 && stats.skippedBytes >= 6) break;
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(stats.badFrames, 1u);
  EXPECT_GE(stats.skippedBytes, 6u);
}

// Answers discovery requests on one loopback address, as a processor would.
class Responder {
 public:
  Responder(const std::string& address, uint8_t last)
      : socket_(io_, asio::ip::udp::endpoint(asio::ip::make_address(address), kDiscoveryPort)) {
    thread_ = std::thread([this, last] {
      std::array<uint8_t, 512> buffer;
      asio::ip::udp::endpoint from;
      std::error_code ec;
      pollfd ready{socket_.native_handle(), POLLIN, 0};
      if (::poll(&ready, 1, 3000) != 1) return;  // the search never came
      const std::size_t n = socket_.receive_from(asio::buffer(buffer), from, 0, ec);
      Frame request;
      if (ec || !FrameCodec::DecodeDatagram({buffer.data(), n}, request)) return;
      const std::vector<uint8_t> answer = {0x0a, 0, 0, 0, 0, last, 0x1D, 0xEF, 'Q', 'V'};
      socket_.send_to(
          asio::buffer(FrameCodec::Encode(FrameClass::DiscoveryAnswer, 0, last, 0, 0, answer)),
          from, 0, ec);
    });
  }
  ~Responder() { thread_.join(); }

 private:
  asio::io_context io_;
  asio::ip::udp::socket socket_;
  std::thread thread_;
};

TEST_F(CommLibraryTest, SearchFindsProcessorsOnSeveralAddresses) {
  Responder a("127.0.0.2", 2), b("127.0.0.3", 3), c("127.0.0.4", 4);
  library.CommSetDiscoveryTargets({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
  Payload ping = Fill();
  ping[0] = 0xFF;
  EXPECT_EQ(library.CommSendCommand(69, ping, 255), 0);
  std::set<std::string> found;
  for (int i = 0; i < 3; ++i) {
    const auto e = inbox.WaitFor([](const Event& ev) { return ev.kind == 27; });
    ASSERT_TRUE(e);
    found.insert(e->text);
    ASSERT_TRUE(e->values);
    EXPECT_EQ((*e->values)[0] & 0xFF, 0x0au);
    EXPECT_EQ((*e->values)[1] >> 8, e->source);
    EXPECT_EQ(e->payload, (std::vector<uint8_t>{'Q', 'V'}));
  }
  EXPECT_EQ(found, (std::set<std::string>{"127.0.0.2", "127.0.0.3", "127.0.0.4"}));
}

TEST(CommLibrary, DeviceAddressOfHostText) {
  const std::pair<const char*, int> cases[] = {
      {"192.168.1.110", 110}, {"192.168.1.110.", 110}, {"192.168..110", 0}, {"1234.1.1.1", 0},
      {"abc.d.e.f", 0},       {"10.0.0.7x", 7},        {"localhost", 0},    {"", 0},
      {"1.2.3.300", 44}};
  for (auto [text, address] : cases) EXPECT_EQ(CommLibrary::DeviceAddressOf(text), address) << text;
}

}  // namespace
}  // namespace qv::comm
