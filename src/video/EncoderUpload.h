#pragma once
// The upload of the preview encoder's software package ("VP_venc.tar.gz") to
// the encoder over TCP: a start header with the size, the package in pieces,
// an end header with the count, and the encoder's verdict. One upload at a
// time, each on a worker thread this object owns.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace qv {

class EncoderUpload {
 public:
  static constexpr uint16_t kPort = 8877;
  // The last report of an upload that went wrong, whatever the cause.
  static constexpr int kFailed = -1;
  // The last report of an upload the encoder took.
  static constexpr int kDone = 100;

  struct Options {
    uint16_t port = kPort;
    // Each of the reads that wait for the encoder's verdict.
    std::chrono::milliseconds receiveTimeout{1000};
    // After the start header, before the package.
    std::chrono::milliseconds startPause{50};
    // After the package, before the end header: the encoder is still storing it.
    std::chrono::milliseconds endPause{500};
    // Without these an encoder that is not there, or one that stopped
    // reading, would hold the upload for minutes or for ever.
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds sendTimeout{5000};
  };

  // Runs on the worker thread. While the package goes out: the share sent,
  // truncate(sent / size x 100 - 1), each value once. Then exactly one of
  // kDone or kFailed, after the connection is closed and running() is false;
  // an upload stopped by the destructor ends without it. No call is still
  // running once the destructor has returned.
  using Progress = std::function<void(int percent)>;

  EncoderUpload();
  explicit EncoderUpload(Options options);
  // Stops a running upload where it is, without a further report, and waits
  // for its thread.
  ~EncoderUpload();
  EncoderUpload(const EncoderUpload&) = delete;
  EncoderUpload& operator=(const EncoderUpload&) = delete;

  // Starts sending the file `package` to the encoder at `address` (IPv4, dotted).
  // False, with nothing started, while an upload runs. Start and the
  // destructor are called from one thread.
  bool Start(const std::string& address, const std::filesystem::path& package, Progress progress);
  bool running() const { return running_.load(); }

 private:
  struct Io;

  const Options options_;
  // Set once, by the destructor; every wait of the worker ends on it.
  std::atomic<bool> stopping_{false};
  std::atomic<bool> running_{false};
  const std::unique_ptr<Io> io_;
  std::thread thread_;
};

}  // namespace qv
