#include "FakeProcessor.h"

#include <future>

namespace qv::comm::test {

FakeProcessor::FakeProcessor(const std::string& address, uint8_t deviceAddress)
    : work_(asio::make_work_guard(io_)),
      acceptor_(io_),
      address_(address),
      deviceAddress_(deviceAddress),
      receiver_([this](const Frame& f) { OnFrame(f); }) {
  thread_ = std::thread([this] { io_.run(); });
  PowerOn();
}

FakeProcessor::FakeProcessor(int serialFd, uint8_t deviceAddress)
    : work_(asio::make_work_guard(io_)),
      acceptor_(io_),
      deviceAddress_(deviceAddress),
      receiver_([this](const Frame& f) { OnFrame(f); }) {
  serial_ = std::make_unique<asio::posix::stream_descriptor>(io_, serialFd);
  thread_ = std::thread([this] { io_.run(); });
  RunOnIo([this] { ReadMore(); });
}

FakeProcessor::~FakeProcessor() {
  RunOnIo([this] {
    std::error_code ec;
    acceptor_.close(ec);
    if (tcp_) tcp_->close(ec);
    if (serial_) serial_->close(ec);
  });
  work_.reset();
  io_.stop();
  thread_.join();
}

void FakeProcessor::RunOnIo(std::function<void()> task) {
  std::promise<void> done;
  asio::post(io_, [&] {
    task();
    done.set_value();
  });
  done.get_future().wait();
}

void FakeProcessor::PowerOn() {
  RunOnIo([this] {
    const asio::ip::tcp::endpoint endpoint(asio::ip::make_address(address_), port_);
    acceptor_.open(endpoint.protocol());
    acceptor_.set_option(asio::socket_base::reuse_address(true));
    acceptor_.bind(endpoint);
    acceptor_.listen();
    port_ = acceptor_.local_endpoint().port();
    Accept();
  });
}

void FakeProcessor::PowerOff() {
  RunOnIo([this] {
    std::error_code ec;
    acceptor_.close(ec);
    if (tcp_) tcp_->close(ec);
    tcp_.reset();
  });
}

void FakeProcessor::Accept() {
  acceptor_.async_accept([this](const std::error_code& ec, asio::ip::tcp::socket socket) {
    if (ec) return;
    std::error_code ignored;
    if (tcp_) tcp_->close(ignored);
    socket.set_option(asio::ip::tcp::no_delay(true), ignored);
    tcp_ = std::make_unique<asio::ip::tcp::socket>(std::move(socket));
    receiver_.Reset();
    ReadMore();
    Accept();
  });
}

void FakeProcessor::ReadMore() {
  auto handler = [this](const std::error_code& ec, std::size_t n) {
    if (ec) return;
    receiver_.Feed({buffer_.data(), n});
    ReadMore();
  };
  if (tcp_) {
    tcp_->async_read_some(asio::buffer(buffer_), handler);
  } else if (serial_) {
    serial_->async_read_some(asio::buffer(buffer_), handler);
  }
}

void FakeProcessor::Write(std::vector<uint8_t> bytes) {
  // Small frames, written synchronously: the tests never fill the buffers.
  std::error_code ec;
  if (tcp_) {
    asio::write(*tcp_, asio::buffer(bytes), ec);
  } else if (serial_) {
    asio::write(*serial_, asio::buffer(bytes), ec);
  }
}

void FakeProcessor::OnFrame(const Frame& frame) {
  {
    std::lock_guard lock(mutex_);
    received_.push_back(frame);
  }
  if (silent_) return;
  if (frame.cls == FrameClass::KeepaliveRequest) {
    Write(FrameCodec::Encode(FrameClass::KeepaliveAnswer, frame.source, deviceAddress_, 0, 0, {}));
  } else if (frame.cls == FrameClass::Command || frame.cls == FrameClass::Record ||
             frame.cls == FrameClass::Block) {
    Write(FrameCodec::Encode(FrameClass::Reply, frame.source, deviceAddress_, 23, 0, {}));
  }
}

void FakeProcessor::SendReply(uint16_t kind, int32_t arg, std::vector<uint8_t> payload) {
  SendRaw(FrameCodec::Encode(FrameClass::Reply, 0, deviceAddress_, kind, arg, payload));
}

void FakeProcessor::SendRaw(std::vector<uint8_t> bytes) {
  // The console may see its connection made before this side has accepted it.
  for (int i = 0; i < 200; ++i) {
    bool linked = false;
    RunOnIo([&] { linked = tcp_ || serial_; });
    if (linked) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  RunOnIo([this, &bytes] { Write(std::move(bytes)); });
}

std::vector<Frame> FakeProcessor::Received() {
  std::lock_guard lock(mutex_);
  return received_;
}

}  // namespace qv::comm::test
