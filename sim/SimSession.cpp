#include "SimSession.h"

#include <cstring>

#include "SimServer.h"
#include "comm/FrameCodec.h"

namespace qv::sim {

namespace {

constexpr std::size_t kPreviewBacklog = 8;  // frames queued before preview blocks are skipped

}  // namespace

SimSession::SimSession(SimServer& server, asio::ip::tcp::socket socket, uint8_t address)
    : server_(server),
      transport_(Transport::Tcp),
      socket_(std::make_unique<asio::ip::tcp::socket>(std::move(socket))),
      address_(address),
      receiver_([this](const comm::Frame& f) { OnFrame(f); }) {}

SimSession::SimSession(SimServer& server, asio::posix::stream_descriptor line, uint8_t address)
    : server_(server),
      transport_(Transport::Serial),
      line_(std::make_unique<asio::posix::stream_descriptor>(std::move(line))),
      address_(address),
      receiver_([this](const comm::Frame& f) { OnFrame(f); }) {}

void SimSession::Start() {
  SendReplies(server_.device().OnConnect());
  ReadMore();
}

void SimSession::Close() {
  if (!open_) return;
  open_ = false;
  queue_.clear();
  std::error_code ignored;
  if (socket_) {
    socket_->shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    socket_->close(ignored);
  }
  // The serial line stays: a console may open it again, as with a real port.
}

void SimSession::ReadMore() {
  auto handler = [self = shared_from_this()](const std::error_code& ec, std::size_t n) {
    if (!self->open_) return;
    if (ec) {
      if (self->transport_ == Transport::Serial && ec != asio::error::operation_aborted) {
        // No console has the line open: wait for one.
        auto timer = std::make_shared<asio::steady_timer>(self->server_.io(),
                                                          std::chrono::milliseconds(100));
        timer->async_wait([self, timer](const std::error_code&) { self->ReadMore(); });
        return;
      }
      self->Close();
      self->server_.Forget(self);
      return;
    }
    self->receiver_.Feed({self->buffer_.data(), n});
    if (self->open_) self->ReadMore();
  };
  if (socket_) {
    socket_->async_read_some(asio::buffer(buffer_), handler);
  } else {
    line_->async_read_some(asio::buffer(buffer_), handler);
  }
}

void SimSession::OnFrame(const comm::Frame& frame) {
  const SimOptions& options = server_.options();
  ++framesReceived_;
  server_.Trace(frame);
  const bool forUs =
      frame.destination == address_ || frame.destination == comm::kAllDevices ||
      transport_ == Transport::Tcp;  // a connection reaches one processor whatever the address
  switch (frame.cls) {
    case comm::FrameClass::KeepaliveRequest:
      Queue(comm::FrameCodec::Encode(comm::FrameClass::KeepaliveAnswer, frame.source, address_, 0,
                                     0, {}));
      break;
    case comm::FrameClass::Command:
      if (forUs) {
        Payload payload;
        payload.fill(0x55);
        std::memcpy(payload.data(), frame.payload.data(),
                    std::min(frame.payload.size(), payload.size()));
        SendReplies(server_.device().OnCommand(frame.code, payload));
        server_.AfterCommand(frame.code);
      }
      break;
    case comm::FrameClass::Record:
      if (forUs && frame.payload.size() == kDeviceRecordSize) {
        DeviceStatusRecord record;
        std::memcpy(&record, frame.payload.data(), sizeof record);
        SendReplies(server_.device().OnRecord(record));
      }
      break;
    case comm::FrameClass::Block:
      if (forUs) SendReplies(server_.device().OnBlock(frame.arg, frame.payload));
      break;
    default:
      break;
  }
  if (options.dropAfter > 0 && framesReceived_ >= options.dropAfter) {
    Close();
    server_.Forget(shared_from_this());
  }
}

void SimSession::SendReplies(std::vector<SimReply> replies) {
  if (replies.empty() || !open_) return;
  // One write for the whole answer: the acknowledgement leaves with the state it follows.
  const auto send = [self = shared_from_this()](const std::vector<SimReply>& batch) {
    std::vector<uint8_t> bytes;
    for (const SimReply& r : batch) {
      const auto frame =
          comm::FrameCodec::Encode(comm::FrameClass::Reply, comm::kConsoleAddress, self->address_,
                                   static_cast<uint16_t>(r.kind), r.arg, r.payload);
      bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    self->Queue(std::move(bytes));
  };
  const int delay = server_.options().delayMs;
  if (delay <= 0) {
    send(replies);
    return;
  }
  auto timer = std::make_shared<asio::steady_timer>(server_.io(), std::chrono::milliseconds(delay));
  timer->async_wait(
      [timer, send, batch = std::move(replies)](const std::error_code&) { send(batch); });
}

void SimSession::SendPreview(const std::vector<uint8_t>& accessUnit) {
  if (!open_ || queue_.size() > kPreviewBacklog) return;
  Queue(comm::FrameCodec::Encode(comm::FrameClass::Reply, comm::kConsoleAddress, address_, 26, 0,
                                 accessUnit));
}

void SimSession::Queue(std::vector<uint8_t> bytes) {
  if (!open_ || bytes.empty()) return;
  const int every = server_.options().garbageEvery;
  if (every > 0 && ++framesSent_ % every == 0) {
    // Bytes a noisy line might add: sync bytes without a frame among them.
    queue_.push_back({0xA5, 0x00, 0x13, 0xA5, 0x5A, 0x07, 0xFF});
  }
  queue_.push_back(std::move(bytes));
  if (!writing_) WriteNext();
}

void SimSession::WriteNext() {
  if (queue_.empty() || !open_) {
    writing_ = false;
    return;
  }
  writing_ = true;
  auto handler = [self = shared_from_this()](const std::error_code& ec, std::size_t) {
    if (!self->open_) return;
    self->queue_.pop_front();
    if (ec) {
      if (self->transport_ == Transport::Serial) {
        // Nobody reads the line: what was said is lost, as on a real port.
        self->queue_.clear();
        self->writing_ = false;
        return;
      }
      self->Close();
      self->server_.Forget(self);
      return;
    }
    self->WriteNext();
  };
  const auto& front = queue_.front();
  if (socket_) {
    asio::async_write(*socket_, asio::buffer(front), handler);
  } else {
    asio::async_write(*line_, asio::buffer(front), handler);
  }
}

}  // namespace qv::sim
