#include "SimServer.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "H264FileSource.h"
#include "PackageReceiver.h"
#include "PreviewEncoder.h"
#include "SimSession.h"
#include "SimTrace.h"
#include "comm/CommLibrary.h"
#include "comm/FrameCodec.h"
#include "link/CommandType.h"
#include "project/ProjectFile.h"

namespace qv::sim {

namespace {

bool ParseMac(const std::string& text, std::array<uint8_t, 6>& mac) {
  unsigned v[6];
  char tail;
  if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x%c", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                  &tail) != 6) {
    return false;
  }
  for (int i = 0; i < 6; ++i) {
    if (v[i] > 255) return false;
    mac[i] = static_cast<uint8_t>(v[i]);
  }
  return true;
}

}  // namespace

SimServer::SimServer(SimOptions options)
    : options_(std::move(options)),
      signals_(io_, SIGINT, SIGTERM),
      acceptor_(io_),
      search_(io_),
      clock_(io_),
      previewTimer_(io_),
      device_([&] {
        SimDeviceOptions o;
        o.compositeBoard = options_.compositeBoard;
        o.previewStream = options_.previewStream;
        // The encoder package goes to the address the console reaches us at.
        std::error_code ec;
        const asio::ip::address_v4 listen = asio::ip::make_address_v4(options_.listen, ec);
        if (!ec && !listen.is_unspecified()) o.encoderIp = listen.to_bytes();
        o.taskFired = [this](int task, int preset) {
          std::cerr << "qvsim: task " << task + 1 << " recalled preset " << preset + 1 << "\n";
          if (trace_) trace_->TaskFired(task, preset);
        };
        return o;
      }()) {}

SimServer::~SimServer() {
  if (serialKeepFd_ >= 0) ::close(serialKeepFd_);
  if (!options_.serial.empty()) {
    std::error_code ignored;
    std::filesystem::remove(options_.serial, ignored);
  }
}

std::string SimServer::Start() {
  if (!ParseMac(options_.mac, mac_))
    return "--mac wants six hexadecimal bytes, as 02:51:56:00:00:01";
  if (!options_.state.empty()) {
    const auto record = ProjectFile::ReadProjectRecord(options_.state);
    if (!record) return "cannot read the project file " + options_.state;
    device_.SetRecord(*record);
  }
  device_.SetWithholdAcks(options_.withholdAcks);
  device_.SetWithholdBlockAcks(options_.withholdBlockAcks);
  if (!options_.trace.empty()) {
    traceFile_.open(options_.trace, std::ios::out | std::ios::trunc);
    if (!traceFile_) return "cannot write the trace file " + options_.trace;
    trace_ = std::make_unique<SimTrace>(traceFile_);
  }

  std::error_code ec;
  const asio::ip::address address = asio::ip::make_address(options_.listen, ec);
  if (ec) return "--listen wants an IP address, not " + options_.listen;
  const asio::ip::tcp::endpoint endpoint(address, static_cast<unsigned short>(options_.port));
  acceptor_.open(endpoint.protocol(), ec);
  if (!ec) acceptor_.set_option(asio::socket_base::reuse_address(true), ec);
  if (!ec) acceptor_.bind(endpoint, ec);
  if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
  if (ec)
    return "cannot listen on " + options_.listen + ":" + std::to_string(options_.port) + ": " +
           ec.message();
  port_ = acceptor_.local_endpoint().port();
  Accept();

  if (options_.discovery) {
    if (std::string error = OpenDiscovery(); !error.empty()) return error;
  }
  if (!options_.serial.empty()) {
    if (std::string error = OpenSerialLine(); !error.empty()) return error;
  }
  if (options_.previewStream) {
    try {
      if (options_.preview.empty()) {
        previewSettings_ = device_.preview();
        preview_ = std::make_unique<PreviewEncoder>(previewSettings_);
      } else {
        preview_ = std::make_unique<H264FileSource>(options_.preview);
      }
    } catch (const std::exception& e) {
      return std::string("cannot start the preview stream: ") + e.what();
    }
    PreviewTick();
  }
  if (options_.packagePort > 0) {
    try {
      package_ = std::make_unique<PackageReceiver>(
          options_.listen, static_cast<uint16_t>(options_.packagePort),
          [this](const std::vector<uint8_t>& package) {
            std::cerr << "qvsim: encoder package of " << package.size() << " bytes received\n";
            if (trace_) trace_->Package(package.size());
          });
      package_->SetAnswerFailure(options_.failPackage);
    } catch (const std::exception& e) {
      return "cannot receive encoder packages on port " + std::to_string(options_.packagePort) +
             ": " + e.what();
    }
  }
  signals_.async_wait([this](const std::error_code& error, int) {
    if (!error) Stop();
  });
  ClockTick();
  return {};
}

std::string SimServer::OpenDiscovery() {
  std::error_code ec;
  const asio::ip::udp::endpoint endpoint(asio::ip::make_address(options_.listen, ec),
                                         comm::kDiscoveryPort);
  search_.open(endpoint.protocol(), ec);
  if (!ec) search_.set_option(asio::socket_base::reuse_address(true), ec);
  if (!ec) search_.set_option(asio::socket_base::broadcast(true), ec);
  if (!ec) search_.bind(endpoint, ec);
  if (ec)
    return "cannot answer searches on UDP " + options_.listen + ":" +
           std::to_string(comm::kDiscoveryPort) + ": " + ec.message();
  ReceiveSearch();
  return {};
}

std::string SimServer::OpenSerialLine() {
  int master = -1, slave = -1;
  char name[256] = {};
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) return "cannot create a pty";
  termios raw{};
  ::tcgetattr(slave, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(slave, TCSANOW, &raw);
  serialKeepFd_ = slave;
  std::error_code ec;
  std::filesystem::remove(options_.serial, ec);
  std::filesystem::create_symlink(name, options_.serial, ec);
  if (ec) {
    ::close(master);
    return "cannot create the link " + options_.serial + ": " + ec.message();
  }
  serialSession_ = std::make_shared<SimSession>(*this, asio::posix::stream_descriptor(io_, master),
                                                static_cast<uint8_t>(options_.serialAddress));
  serialSession_->Start();
  return {};
}

void SimServer::Accept() {
  acceptor_.async_accept([this](const std::error_code& ec, asio::ip::tcp::socket socket) {
    if (ec) return;  // closed
    std::error_code ignored;
    socket.set_option(asio::ip::tcp::no_delay(true), ignored);
    // Reached at this address: its last number is the processor's address here.
    const auto local = socket.local_endpoint(ignored);
    const uint8_t address = comm::CommLibrary::DeviceAddressOf(local.address().to_string());
    auto session = std::make_shared<SimSession>(*this, std::move(socket), address);
    sessions_.insert(session);
    session->Start();
    Accept();
  });
}

void SimServer::ReceiveSearch() {
  search_.async_receive_from(
      asio::buffer(searchBuffer_), searchSender_, [this](const std::error_code& ec, std::size_t n) {
        if (ec == asio::error::operation_aborted) return;
        comm::Frame request;
        if (!ec && comm::FrameCodec::DecodeDatagram({searchBuffer_.data(), n}, request) &&
            request.cls == comm::FrameClass::DiscoveryRequest) {
          std::vector<uint8_t> answer(mac_.begin(), mac_.end());
          answer.push_back(static_cast<uint8_t>(port_));
          answer.push_back(static_cast<uint8_t>(port_ >> 8));
          answer.insert(answer.end(), options_.name.begin(), options_.name.end());
          const uint8_t address = comm::CommLibrary::DeviceAddressOf(options_.listen);
          const auto bytes = std::make_shared<std::vector<uint8_t>>(comm::FrameCodec::Encode(
              comm::FrameClass::DiscoveryAnswer, comm::kConsoleAddress, address, 0, 0, answer));
          search_.async_send_to(asio::buffer(*bytes), searchSender_,
                                [bytes](const std::error_code&, std::size_t) {});
        }
        ReceiveSearch();
      });
}

void SimServer::Run() {
  io_.run();
}

void SimServer::Stop() {
  asio::post(io_, [this] {
    std::error_code ignored;
    acceptor_.close(ignored);
    search_.close(ignored);
    clock_.cancel();
    previewTimer_.cancel();
    signals_.cancel();
    if (package_) package_->Stop();
    for (const auto& session : sessions_) session->Close();
    sessions_.clear();
    if (serialSession_) {
      serialSession_->Close();
      serialSession_.reset();
    }
    io_.stop();
  });
}

void SimServer::Trace(const comm::Frame& frame) {
  if (!trace_) return;
  switch (frame.cls) {
    case comm::FrameClass::Command: {
      Payload payload;
      payload.fill(0x55);
      std::copy_n(frame.payload.begin(), std::min(frame.payload.size(), payload.size()),
                  payload.begin());
      trace_->Command(frame.code, frame.destination, payload);
      break;
    }
    case comm::FrameClass::Record:
      if (frame.payload.size() == kDeviceRecordSize) {
        DeviceStatusRecord record;
        std::memcpy(&record, frame.payload.data(), sizeof record);
        trace_->Record(frame.destination, record);
      }
      break;
    case comm::FrameClass::Block:
      trace_->Block(frame.arg, frame.payload.size());
      break;
    default:
      break;
  }
}

void SimServer::Forget(const std::shared_ptr<SimSession>& session) {
  sessions_.erase(session);
}

void SimServer::AfterCommand(int type) {
  // A new encoder setting restarts the test picture at the size it chooses.
  if (type != static_cast<int>(CommandType::VideoEncoderSettings) || !options_.preview.empty() ||
      !preview_) {
    return;
  }
  const PreviewSettings& wanted = device_.preview();
  if (wanted.width == previewSettings_.width && wanted.height == previewSettings_.height &&
      wanted.fps == previewSettings_.fps) {
    return;
  }
  try {
    preview_ = std::make_unique<PreviewEncoder>(wanted);
    previewSettings_ = wanted;
  } catch (const std::exception& e) {
    std::cerr << "qvsim: preview encoder: " << e.what() << "\n";
  }
}

void SimServer::Broadcast(const std::vector<SimReply>& replies) {
  if (replies.empty()) return;
  for (const auto& session : sessions_) session->SendReplies(replies);
  if (serialSession_) serialSession_->SendReplies(replies);
}

void SimServer::ClockTick() {
  Broadcast(device_.Tick(std::chrono::system_clock::now()));
  clock_.expires_after(std::chrono::seconds(1));
  clock_.async_wait([this](const std::error_code& ec) {
    if (!ec) ClockTick();
  });
}

void SimServer::PreviewTick() {
  if (!sessions_.empty()) {
    const std::vector<uint8_t> block = preview_->NextBlock();
    // Serial lines are far too slow for video: the stream goes to TCP links only.
    for (const auto& session : sessions_) session->SendPreview(block);
  }
  const int fps = std::clamp(options_.preview.empty() ? previewSettings_.fps : 25, 1, 60);
  previewTimer_.expires_after(std::chrono::microseconds(1000000 / fps));
  previewTimer_.async_wait([this](const std::error_code& ec) {
    if (!ec) PreviewTick();
  });
}

}  // namespace qv::sim
