#pragma once
// One link of the simulated processor to a console: a TCP connection or the
// processor end of the pty serial line. Frames in, replies out, keepalives
// answered. Runs on the server's I/O thread.

#include <array>
#include <asio.hpp>
#include <deque>
#include <memory>
#include <vector>

#include "SimReply.h"
#include "comm/FrameReceiver.h"

namespace qv::sim {

class SimServer;

class SimSession : public std::enable_shared_from_this<SimSession> {
 public:
  enum class Transport { Tcp, Serial };

  SimSession(SimServer& server, asio::ip::tcp::socket socket, uint8_t address);
  SimSession(SimServer& server, asio::posix::stream_descriptor line, uint8_t address);

  void Start();
  void Close();
  // Sends replies after the configured delay, in order.
  void SendReplies(std::vector<SimReply> replies);
  // Sends a preview block unless the link is already behind.
  void SendPreview(const std::vector<uint8_t>& accessUnit);

  Transport transport() const { return transport_; }
  bool open() const { return open_; }

 private:
  void ReadMore();
  void OnFrame(const comm::Frame& frame);
  void Queue(std::vector<uint8_t> bytes);
  void WriteNext();

  SimServer& server_;
  const Transport transport_;
  std::unique_ptr<asio::ip::tcp::socket> socket_;
  std::unique_ptr<asio::posix::stream_descriptor> line_;
  const uint8_t address_;
  bool open_ = true;
  bool writing_ = false;
  int framesReceived_ = 0;
  int framesSent_ = 0;
  comm::FrameReceiver receiver_;
  std::deque<std::vector<uint8_t>> queue_;
  std::array<uint8_t, 64 * 1024> buffer_{};
};

}  // namespace qv::sim
