#pragma once
// One byte-stream link to processors (a TCP connection or the serial line):
// frames out through a write queue, frames in through a FrameReceiver, a
// keepalive that notices a silent peer, and reopening while the link is down.
// Everything but Send runs on the library's I/O thread.

#include <array>
#include <asio.hpp>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "CommLibrary.h"
#include "FrameReceiver.h"

namespace qv::comm {

class Channel : public std::enable_shared_from_this<Channel> {
 public:
  using Clock = std::chrono::steady_clock;

  Channel(CommLibrary& library, asio::io_context& io, const CommLibrary::Options& options,
          uint8_t address);
  virtual ~Channel() = default;

  // Starts reading a stream already open (serial) or opening one (TCP).
  void Start(bool alreadyOpen);
  // Stops for good: no more reads, writes, status reports or reopening.
  void Close();
  // Reports the link up again when it is; a console that opens a link it
  // already holds learns its state this way.
  void ReassertStatus();
  // Queues one encoded frame; callable from any thread. Frames queued while
  // the link is down are dropped, as a processor that is away cannot take them.
  void Send(std::vector<uint8_t> bytes);

  uint8_t address() const { return address_; }
  bool up() const { return up_.load(); }

 protected:
  using IoHandler = std::function<void(const std::error_code&, std::size_t)>;

  // Opens the stream; calls Opened() or Failed() when done.
  virtual void Open() = 0;
  virtual void CloseStream() = 0;
  virtual void AsyncReadSome(asio::mutable_buffer buffer, IoHandler handler) = 0;
  virtual void AsyncWrite(const std::vector<asio::const_buffer>& buffers, IoHandler handler) = 0;

  void Opened();
  void Failed();

  asio::io_context& io_;
  const CommLibrary::Options& options_;

 private:
  void ReadMore();
  void WriteNext();
  void Tick();
  void OnFrame(const Frame& frame);
  void GoDown();
  void ScheduleRetry();

  CommLibrary& library_;
  const uint8_t address_;
  std::atomic<bool> up_{false};
  bool open_ = false;
  bool closed_ = false;
  bool writing_ = false;
  std::size_t inFlight_ = 0;  // queued frames the current write carries
  std::vector<asio::const_buffer> gather_;
  // Bumped on every close of the stream, so that callbacks of an earlier
  // stream cannot act on the current one.
  uint64_t generation_ = 0;
  FrameReceiver receiver_;
  asio::steady_timer tick_;
  asio::steady_timer retry_;
  std::deque<std::vector<uint8_t>> queue_;
  Clock::time_point lastRx_{};
  Clock::time_point lastTx_{};
  std::array<uint8_t, 64 * 1024> readBuffer_{};
};

}  // namespace qv::comm
