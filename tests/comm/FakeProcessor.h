#pragma once
// A processor stand-in for the link library's tests: serves one TCP link at a
// time, or the processor end of a pty; answers keepalives, acknowledges every
// command and records what it received.

#include <array>
#include <asio.hpp>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "comm/FrameCodec.h"
#include "comm/FrameReceiver.h"

namespace qv::comm::test {

class FakeProcessor {
 public:
  // TCP on `address`, on a port the system chooses.
  FakeProcessor(const std::string& address, uint8_t deviceAddress);
  // The processor end of a serial line: a pty master's descriptor, taken over.
  FakeProcessor(int serialFd, uint8_t deviceAddress);
  ~FakeProcessor();

  int port() const { return port_; }
  // Drops the link and stops listening, as a processor switched off.
  void PowerOff();
  // Listens again on the same port.
  void PowerOn();
  // Stops answering anything while keeping the connection (a hung processor).
  void SetSilent(bool silent) { silent_ = silent; }
  void SendReply(uint16_t kind, int32_t arg, std::vector<uint8_t> payload);
  void SendRaw(std::vector<uint8_t> bytes);

  std::vector<Frame> Received();

 private:
  void Accept();
  void ReadMore();
  void Write(std::vector<uint8_t> bytes);
  void OnFrame(const Frame& frame);
  void RunOnIo(std::function<void()> task);

  asio::io_context io_;
  asio::executor_work_guard<asio::io_context::executor_type> work_;
  asio::ip::tcp::acceptor acceptor_;
  std::unique_ptr<asio::ip::tcp::socket> tcp_;
  std::unique_ptr<asio::posix::stream_descriptor> serial_;
  std::thread thread_;
  std::string address_;
  int port_ = 0;
  const uint8_t deviceAddress_;
  std::atomic<bool> silent_{false};
  FrameReceiver receiver_;
  std::array<uint8_t, 65536> buffer_{};
  std::mutex mutex_;
  std::vector<Frame> received_;
};

}  // namespace qv::comm::test
