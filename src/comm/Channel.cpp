#include "Channel.h"

#include "FrameCodec.h"

namespace qv::comm {

Channel::Channel(CommLibrary& library, asio::io_context& io, const CommLibrary::Options& options,
                 uint8_t address)
    : io_(io),
      options_(options),
      library_(library),
      address_(address),
      receiver_([this](const Frame& frame) { OnFrame(frame); }),
      tick_(io),
      retry_(io) {}

void Channel::Start(bool alreadyOpen) {
  asio::post(io_, [self = shared_from_this(), alreadyOpen] {
    if (self->closed_) return;
    if (alreadyOpen) {
      self->Opened();
    } else {
      self->Open();
    }
  });
}

void Channel::Close() {
  asio::post(io_, [self = shared_from_this()] {
    if (self->closed_) return;
    self->closed_ = true;
    if (self->up_.exchange(false)) self->library_.ReportStatus(self->address_, false);
    self->open_ = false;
    ++self->generation_;
    self->tick_.cancel();
    self->retry_.cancel();
    self->queue_.clear();
    self->CloseStream();
  });
}

void Channel::Send(std::vector<uint8_t> bytes) {
  asio::post(io_, [self = shared_from_this(), bytes = std::move(bytes)]() mutable {
    if (!self->open_) return;
    self->queue_.push_back(std::move(bytes));
    if (!self->writing_) self->WriteNext();
  });
}

void Channel::ReassertStatus() {
  asio::post(io_, [self = shared_from_this()] {
    if (!self->closed_ && self->up_) self->library_.ReportStatus(self->address_, true);
  });
}

void Channel::Opened() {
  if (closed_) return;
  open_ = true;
  receiver_.Reset();
  lastRx_ = lastTx_ = Clock::now();
  if (!up_.exchange(true)) library_.ReportStatus(address_, true);
  ReadMore();
  Tick();
}

void Channel::Failed() {
  if (closed_) return;
  ScheduleRetry();
}

void Channel::ReadMore() {
  AsyncReadSome(asio::buffer(readBuffer_), [self = shared_from_this(), gen = generation_](
                                               const std::error_code& ec, std::size_t n) {
    if (gen != self->generation_ || self->closed_) return;
    if (ec) {
      self->GoDown();
      return;
    }
    self->lastRx_ = Clock::now();
    const FrameReceiver::Stats before = self->receiver_.stats();
    self->receiver_.Feed({self->readBuffer_.data(), n});
    self->library_.CountReceived(before, self->receiver_.stats());
    // A handler may have closed the link while frames were delivered.
    if (gen == self->generation_ && !self->closed_) self->ReadMore();
  });
}

void Channel::WriteNext() {
  if (queue_.empty() || !open_) {
    writing_ = false;
    return;
  }
  writing_ = true;
  lastTx_ = Clock::now();
  // Everything queued leaves in one write.
  gather_.clear();
  for (const auto& frame : queue_) gather_.push_back(asio::buffer(frame));
  inFlight_ = queue_.size();
  AsyncWrite(gather_, [self = shared_from_this(), gen = generation_](const std::error_code& ec,
                                                                     std::size_t) {
    if (gen != self->generation_ || self->closed_) return;
    self->queue_.erase(self->queue_.begin(),
                       self->queue_.begin() + static_cast<std::ptrdiff_t>(self->inFlight_));
    if (ec) {
      self->GoDown();
      return;
    }
    self->WriteNext();
  });
}

void Channel::Tick() {
  const auto period = std::max(options_.keepaliveInterval / 4, std::chrono::milliseconds(10));
  tick_.expires_after(period);
  tick_.async_wait([self = shared_from_this(), gen = generation_](const std::error_code& ec) {
    if (ec || gen != self->generation_ || self->closed_ || !self->open_) return;
    const auto now = Clock::now();
    if (now - self->lastRx_ > self->options_.deadAfter) {
      self->GoDown();
      return;
    }
    if (now - self->lastTx_ >= self->options_.keepaliveInterval) {
      self->queue_.push_back(FrameCodec::Encode(FrameClass::KeepaliveRequest, self->address_,
                                                kConsoleAddress, 0, 0, {}));
      if (!self->writing_) self->WriteNext();
    }
    self->Tick();
  });
}

void Channel::OnFrame(const Frame& frame) {
  switch (frame.cls) {
    case FrameClass::KeepaliveRequest:
      queue_.push_back(
          FrameCodec::Encode(FrameClass::KeepaliveAnswer, frame.source, kConsoleAddress, 0, 0, {}));
      if (!writing_) WriteNext();
      break;
    case FrameClass::Reply:
      library_.OnFrame(frame);
      break;
    default:
      break;  // keepalive answers only refresh lastRx_; other classes are not for the console
  }
}

void Channel::GoDown() {
  open_ = false;
  writing_ = false;
  ++generation_;
  tick_.cancel();
  queue_.clear();
  CloseStream();
  if (up_.exchange(false)) library_.ReportStatus(address_, false);
  ScheduleRetry();
}

void Channel::ScheduleRetry() {
  retry_.expires_after(options_.retryInterval);
  retry_.async_wait([self = shared_from_this()](const std::error_code& ec) {
    if (ec || self->closed_ || self->open_) return;
    self->Open();
  });
}

}  // namespace qv::comm
