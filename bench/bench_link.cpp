// Round trip of a command through the link library and qvsim on loopback,
// beside a raw TCP echo measured in the same run, and the time of a whole
// full-state read. Prints one "key: value" a line.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "comm/CommLibrary.h"
#include "link/EventLoop.h"
#include "link/ReplyDispatcher.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 2000;

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

double Micros(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// The raw baseline: 32 bytes to a loopback echo and back, blocking sockets.
class EchoPeer {
 public:
  EchoPeer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(listener_, 1);
    socklen_t len = sizeof addr;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    server_ = std::thread([this] {
      const int peer = ::accept(listener_, nullptr, nullptr);
      NoDelay(peer);
      char buffer[32];
      while (ReadAll(peer, buffer) && ::write(peer, buffer, sizeof buffer) == sizeof buffer) {
      }
      ::close(peer);
    });
    client_ = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(client_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    NoDelay(client_);
  }
  ~EchoPeer() {
    ::close(client_);
    server_.join();
    ::close(listener_);
  }
  double RoundTrip() {
    char buffer[32] = {};
    const auto start = Clock::now();
    if (::write(client_, buffer, sizeof buffer) != sizeof buffer || !ReadAll(client_, buffer)) {
      return -1;
    }
    return Micros(Clock::now() - start);
  }

 private:
  static void NoDelay(int fd) {
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  }
  static bool ReadAll(int fd, char (&buffer)[32]) {
    std::size_t got = 0;
    while (got < sizeof buffer) {
      const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
      if (n <= 0) return false;
      got += static_cast<std::size_t>(n);
    }
    return true;
  }
  int listener_ = -1;
  int client_ = -1;
  std::thread server_;
};

// Starts qvsim on a free loopback port; returns its pid and port.
std::pair<pid_t, int> StartSimulator() {
  int fds[2];
  if (::pipe(fds) != 0) return {-1, 0};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<std::string> args = {QV_SIM_PATH, "--listen",     "127.0.0.1",      "--port",
                                   "0",         "--no-preview", "--no-discovery", "--package-port",
                                   "0"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, QV_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  // qvsim says "qvsim: listening on ADDR:PORT" once it is ready.
  std::string line;
  char c;
  while (::read(fds[0], &c, 1) == 1 && c != '\n') line.push_back(c);
  ::close(fds[0]);
  const auto colon = line.rfind(':');
  const int port = colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
  return {pid, port};
}

class Sink : public qv::NotificationSink {
 public:
  void Notify(qv::ReplyKind kind, int) override {
    if (kind == qv::ReplyKind::SearchStatusReply) linkUp = true;
    if (kind == qv::ReplyKind::FullStateReply) ++fullStates;
  }
  void CloseWaitingDialog() override { ++closed; }
  bool linkUp = false;
  int fullStates = 0;
  int closed = 0;
};

}  // namespace

int main() {
  const auto [pid, port] = StartSimulator();
  if (pid <= 0 || port <= 0) {
    std::fprintf(stderr, "bench_link: cannot start %s\n", QV_SIM_PATH);
    return 1;
  }

  // Round trips at the library's own level (handlers on its I/O thread),
  // alternating with the raw echo so both see the same machine.
  std::vector<double> rtt, echo;
  {
    EchoPeer peer;
    qv::comm::CommLibrary link;
    std::mutex mutex;
    std::condition_variable cv;
    int acks = 0;
    bool up = false;
    link.CommRegisterHandler(
        [&](const qv::ReplyView& v) {
          std::lock_guard lock(mutex);
          up = !v.payload.empty() && v.payload[0] == 1;
          cv.notify_all();
        },
        0);
    link.CommRegisterHandler(
        [&](const qv::ReplyView&) {
          std::lock_guard lock(mutex);
          ++acks;
          cv.notify_all();
        },
        23);
    link.CommOpenHost("127.0.0.1", port);
    {
      std::unique_lock lock(mutex);
      cv.wait_for(lock, std::chrono::seconds(5), [&] { return up; });
    }
    qv::Payload payload;
    payload.fill(0x55);
    payload[0] = 3;
    for (int i = 0; i < kRounds; ++i) {
      std::unique_lock lock(mutex);
      const int target = acks + 1;
      const auto start = Clock::now();
      link.CommSendCommand(static_cast<int>(qv::CommandType::SetLoopOutIp), payload, 1);
      if (!cv.wait_for(lock, std::chrono::seconds(2), [&] { return acks >= target; })) break;
      rtt.push_back(Micros(Clock::now() - start));
      lock.unlock();
      echo.push_back(peer.RoundTrip());
    }
  }

  // A whole read as the console makes it: model, reply handling, follow-ups.
  std::vector<double> reads;
  {
    qv::EventLoop loop;
    qv::DeviceModel model;
    qv::comm::CommLibrary link;
    qv::CommandEncoder encoder(model, link);
    Sink sink;
    qv::ReplyDispatcher dispatcher(model, encoder, loop, sink);
    dispatcher.RegisterHandlers(link);
    model.TargetAddress = 1;
    link.CommOpenHost("127.0.0.1", port);
    loop.RunUntil([&] { return sink.linkUp; }, std::chrono::seconds(5));
    for (int i = 0; i < 20; ++i) {
      const int states = sink.fullStates, closed = sink.closed;
      const auto start = Clock::now();
      encoder.EncodeAndSend(qv::CommandType::QueryFullState);
      if (!loop.RunUntil(
              [&] {
                return sink.fullStates > states && sink.closed > closed && !dispatcher.Waiting();
              },
              std::chrono::seconds(5))) {
        break;
      }
      reads.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    link.CommShutdown();
  }
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);

  if (rtt.empty() || echo.empty() || reads.empty()) {
    std::fprintf(stderr, "bench_link: the simulator did not answer\n");
    return 1;
  }
  const double rttP50 = Percentile(rtt, 0.5), echoP50 = Percentile(echo, 0.5);
  std::printf("rtt_p50_us: %.1f\n", rttP50);
  std::printf("rtt_p99_us: %.1f\n", Percentile(rtt, 0.99));
  std::printf("echo_p50_us: %.1f\n", echoP50);
  std::printf("echo_p99_us: %.1f\n", Percentile(echo, 0.99));
  std::printf("rtt_ratio_p50: %.2f\n", rttP50 / echoP50);
  std::printf("full_read_ms: %.1f\n", Percentile(reads, 0.5));
  return 0;
}
