#pragma once
// The simulated processor on its transports: TCP connections, the pty serial
// line, UDP search answers, the preview stream and the encoder package
// receiver, all on one I/O thread around one SimDevice.

#include <asio.hpp>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "SimDevice.h"
#include "SimOptions.h"
#include "comm/Frame.h"

namespace qv::sim {

class SimSession;
class SimTrace;
class PreviewSource;
class PackageReceiver;

class SimServer {
 public:
  explicit SimServer(SimOptions options);
  ~SimServer();

  // Opens every transport; returns "" or why one could not be opened.
  std::string Start();
  // Runs until Stop() or SIGINT/SIGTERM.
  void Run();
  // Callable from any thread.
  void Stop();

  // For sessions, on the I/O thread.
  SimDevice& device() { return device_; }
  const SimOptions& options() const { return options_; }
  asio::io_context& io() { return io_; }
  void Trace(const comm::Frame& frame);
  void Forget(const std::shared_ptr<SimSession>& session);
  // Some commands change what the processor streams.
  void AfterCommand(int type);

  // The TCP port actually listened on (useful with --port 0 in tests).
  int port() const { return port_; }

 private:
  std::string OpenSerialLine();
  std::string OpenDiscovery();
  void Accept();
  void ReceiveSearch();
  void ClockTick();
  void PreviewTick();
  void Broadcast(const std::vector<SimReply>& replies);

  SimOptions options_;
  asio::io_context io_;
  asio::signal_set signals_;
  asio::ip::tcp::acceptor acceptor_;
  asio::ip::udp::socket search_;
  asio::ip::udp::endpoint searchSender_;
  std::array<uint8_t, 1024> searchBuffer_{};
  asio::steady_timer clock_;
  asio::steady_timer previewTimer_;
  SimDevice device_;
  std::set<std::shared_ptr<SimSession>> sessions_;
  std::shared_ptr<SimSession> serialSession_;
  int serialKeepFd_ = -1;  // the pty's far end, held so the line never hangs up
  std::ofstream traceFile_;
  std::unique_ptr<SimTrace> trace_;
  std::unique_ptr<PreviewSource> preview_;
  PreviewSettings previewSettings_;  // what preview_ was made for
  std::unique_ptr<PackageReceiver> package_;
  std::array<uint8_t, 6> mac_{};
  int port_ = 0;
};

}  // namespace qv::sim
