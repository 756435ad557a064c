#include "video/EncoderUpload.h"

#include <algorithm>
#include <array>
#include <asio.hpp>
#include <fstream>
#include <limits>

#include "base/ThreadName.h"

namespace qv {

namespace {

using asio::ip::tcp;
using Header = std::array<uint8_t, 15>;

constexpr std::size_t kPieceSize = 2048;
constexpr int kReplyAttempts = 7;

enum class Command : uint8_t {
  Start = 'm',  // value: the package size
  End = 'o',    // value: the bytes sent
  Abort = 'a',
  Confirm = 'b',
  Reply = 0x60,  // the encoder's verdict, 1 in byte 7 when it took the package
};

Header MakeHeader(Command command, uint32_t value = 0) {
  Header h{};
  h[0] = 0xFF;
  h[1] = 0x01;
  h[6] = static_cast<uint8_t>(command);
  for (int i = 0; i < 4; ++i) h[7 + i] = static_cast<uint8_t>(value >> (8 * i));
  return h;
}

bool IsReply(const Header& h) {
  return h[0] == 0xFF && h[1] == 0x01 && h[2] == 0x00 && h[3] == 0x00 &&
         h[6] == static_cast<uint8_t>(Command::Reply);
}

// Truncated toward zero: the first pieces of a large package give 0, which
// must not read as the failure value.
int Percent(uint64_t sent, uint64_t size) {
  return static_cast<int>(static_cast<double>(sent) * 100.0 / static_cast<double>(size) - 1.0);
}

// One upload, on the worker thread. Each wait runs the I/O context until its
// operation and its time-out have both finished, so nothing is pending
// between steps; stopping the context ends a wait early.
class Session {
 public:
  Session(asio::io_context& io, const EncoderUpload::Options& options,
          const std::atomic<bool>& stopping, const EncoderUpload::Progress& progress)
      : io_(io), options_(options), stopping_(stopping), progress_(progress), socket_(io) {}

  // kDone or kFailed; the connection is still open.
  int Run(const std::string& address, const std::filesystem::path& package);
  void Close();

 private:
  template <typename Operation>
  bool Await(std::chrono::milliseconds timeout, Operation start);
  bool Pause(std::chrono::milliseconds duration);
  bool Send(asio::const_buffer bytes);
  bool Send(const Header& header) { return Send(asio::buffer(header)); }
  // Best effort: the connection may be what failed.
  void Abort() { Send(MakeHeader(Command::Abort)); }
  int AwaitVerdict();
  void Report(int percent);

  asio::io_context& io_;
  const EncoderUpload::Options& options_;
  const std::atomic<bool>& stopping_;
  const EncoderUpload::Progress& progress_;
  tcp::socket socket_;
  int reported_ = std::numeric_limits<int>::min();
};

template <typename Operation>
bool Session::Await(std::chrono::milliseconds timeout, Operation start) {
  io_.restart();
  // Checked after the restart, which would clear a stop requested before it.
  if (stopping_.load()) return false;
  bool finished = false;
  std::error_code result;
  asio::steady_timer deadline(io_, timeout);
  deadline.async_wait([this](std::error_code ec) {
    std::error_code ignored;
    if (!ec) socket_.cancel(ignored);
  });
  start([&](std::error_code ec, auto&&...) {
    finished = true;
    result = ec;
    deadline.cancel();
  });
  io_.run();
  return finished && !result && !stopping_.load();
}

bool Session::Pause(std::chrono::milliseconds duration) {
  io_.restart();
  if (stopping_.load()) return false;
  asio::steady_timer timer(io_, duration);
  timer.async_wait([](std::error_code) {});
  io_.run();
  return !stopping_.load();
}

bool Session::Send(asio::const_buffer bytes) {
  return Await(options_.sendTimeout, [&](auto done) { asio::async_write(socket_, bytes, done); });
}

int Session::Run(const std::string& address, const std::filesystem::path& package) {
  std::error_code ec;
  const asio::ip::address_v4 ip = asio::ip::make_address_v4(address, ec);
  if (ec) return EncoderUpload::kFailed;
  const tcp::endpoint encoder(ip, options_.port);
  if (!Await(options_.connectTimeout, [&](auto done) { socket_.async_connect(encoder, done); }))
    return EncoderUpload::kFailed;

  std::ifstream file(package, std::ios::binary);
  const std::uintmax_t size = std::filesystem::file_size(package, ec);
  // The start header carries the size in 32 bits.
  if (!file || ec || size > std::numeric_limits<uint32_t>::max()) return EncoderUpload::kFailed;
  if (!Send(MakeHeader(Command::Start, static_cast<uint32_t>(size)))) {
    Abort();
    return EncoderUpload::kFailed;
  }
  if (!Pause(options_.startPause)) return EncoderUpload::kFailed;

  std::array<char, kPieceSize> piece;
  uint64_t sent = 0;
  while (sent < size) {
    const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(kPieceSize, size - sent));
    // A package that shrank while it went out is as broken as one the
    // connection lost: the encoder drops what it has.
    if (!file.read(piece.data(), static_cast<std::streamsize>(n)) ||
        !Send(asio::buffer(piece.data(), n))) {
      Abort();
      return EncoderUpload::kFailed;
    }
    sent += n;
    Report(Percent(sent, size));
  }
  file.close();

  if (!Pause(options_.endPause)) return EncoderUpload::kFailed;
  if (!Send(MakeHeader(Command::End, static_cast<uint32_t>(sent)))) {
    Abort();
    return EncoderUpload::kFailed;
  }
  return AwaitVerdict();
}

int Session::AwaitVerdict() {
  for (int attempt = 0; attempt < kReplyAttempts && !stopping_.load(); ++attempt) {
    Header reply{};
    const bool read = Await(options_.receiveTimeout, [&](auto done) {
      asio::async_read(socket_, asio::buffer(reply), done);
    });
    if (!read || !IsReply(reply)) continue;
    // The encoder has decided: nothing to abort either way.
    if (reply[7] != 1) return EncoderUpload::kFailed;
    Send(MakeHeader(Command::Confirm));
    return EncoderUpload::kDone;
  }
  Abort();
  return EncoderUpload::kFailed;
}

void Session::Report(int percent) {
  if (percent == reported_ || stopping_.load()) return;
  reported_ = percent;
  progress_(percent);
}

void Session::Close() {
  std::error_code ignored;
  socket_.shutdown(tcp::socket::shutdown_both, ignored);
  socket_.close(ignored);
}

}  // namespace

struct EncoderUpload::Io {
  asio::io_context context;
};

EncoderUpload::EncoderUpload() : EncoderUpload(Options{}) {}

EncoderUpload::EncoderUpload(Options options) : options_(options), io_(std::make_unique<Io>()) {}

EncoderUpload::~EncoderUpload() {
  // The flag first: a wait that starts after the stop sees it.
  stopping_.store(true);
  io_->context.stop();
  if (thread_.joinable()) thread_.join();
}

bool EncoderUpload::Start(const std::string& address, const std::filesystem::path& package,
                          Progress progress) {
  if (running_.load()) return false;
  if (thread_.joinable()) thread_.join();  // the last upload has ended; its thread is finishing
  running_.store(true);
  thread_ = std::thread([this, address, package, progress = std::move(progress)] {
    SetCurrentThreadName("qv-enc-upload");
    Session session(io_->context, options_, stopping_, progress);
    const int result = session.Run(address, package);
    session.Close();
    running_.store(false);
    if (!stopping_.load()) progress(result);
  });
  return true;
}

}  // namespace qv
