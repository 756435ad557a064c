#include "video/EncoderUpload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <asio.hpp>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using asio::ip::tcp;
using Header = std::array<uint8_t, 15>;

// Generous bound on waits for the other thread, so that a fault fails the
// test instead of hanging it.
constexpr auto kPatience = 10s;

std::string Bytes(const Header& h) {
  return std::string(h.begin(), h.end());
}

// A reply header: the mark, command 0x60 and the result in byte 7.
Header Verdict(uint8_t result) {
  Header h{0xFF, 0x01, 0x00, 0x00, 0, 0, 0x60, result};
  return h;
}

// Every upload test runs with short pauses and time-outs.
EncoderUpload::Options Quick() {
  EncoderUpload::Options o;
  o.receiveTimeout = 20ms;
  o.startPause = 1ms;
  o.endPause = 1ms;
  o.connectTimeout = 2s;
  o.sendTimeout = 2s;
  return o;
}

// The encoder's side of the upload, one connection after another: records
// every header, takes the package announced by 'm', answers 'o' with
// `answer` (raw bytes: several replies, part of one or none) and keeps
// reading until the console hangs up.
class FakeEncoder {
 public:
  explicit FakeEncoder(std::string answer)
      : answer_(std::move(answer)), acceptor_(io_, {asio::ip::address_v4::loopback(), 0}) {
    port_ = acceptor_.local_endpoint().port();
    Accept();
    thread_ = std::thread([this] { io_.run(); });
  }
  ~FakeEncoder() {
    io_.stop();
    thread_.join();
  }

  uint16_t port() const { return port_; }

  // The header commands in the order they came ("mob" for a whole upload).
  std::string Commands() {
    std::lock_guard lock(mutex_);
    std::string commands;
    for (const Header& h : headers_) commands.push_back(static_cast<char>(h[6]));
    return commands;
  }
  std::vector<Header> Headers() {
    std::lock_guard lock(mutex_);
    return headers_;
  }
  std::string Package() {
    std::lock_guard lock(mutex_);
    return package_;
  }
  // Until the console has hung up `connections` times.
  bool WaitUntilClosed(int connections = 1) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] { return closed_ >= connections; });
  }
  bool WaitForHeader(char command) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] {
      return std::any_of(headers_.begin(), headers_.end(),
                         [&](const Header& h) { return h[6] == static_cast<uint8_t>(command); });
    });
  }

 private:
  void Accept() {
    acceptor_.async_accept(socket_, [this](std::error_code ec) {
      if (!ec) ReadHeader();
    });
  }
  void ReadHeader() {
    asio::async_read(socket_, asio::buffer(header_), [this](std::error_code ec, std::size_t) {
      if (ec) return Closed();
      {
        std::lock_guard lock(mutex_);
        headers_.push_back(header_);
      }
      changed_.notify_all();
      const uint32_t value = header_[7] | header_[8] << 8 | header_[9] << 16 | header_[10] << 24;
      if (header_[6] == 'm') {
        incoming_.assign(value, '\0');
        asio::async_read(socket_, asio::buffer(incoming_), [this](std::error_code ec, std::size_t) {
          if (ec) return Closed();
          std::lock_guard lock(mutex_);
          package_ = incoming_;
          ReadHeader();
        });
      } else if (header_[6] == 'o') {
        asio::async_write(socket_, asio::buffer(answer_), [this](std::error_code ec, std::size_t) {
          if (ec) return Closed();
          ReadHeader();
        });
      } else {
        ReadHeader();
      }
    });
  }
  void Closed() {
    {
      std::lock_guard lock(mutex_);
      ++closed_;
    }
    changed_.notify_all();
    std::error_code ignored;
    socket_.close(ignored);
    Accept();
  }

  const std::string answer_;
  asio::io_context io_;
  tcp::acceptor acceptor_;
  tcp::socket socket_{io_};
  uint16_t port_ = 0;
  Header header_{};
  std::string incoming_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Header> headers_;  // guarded by mutex_, as the two below
  std::string package_;
  int closed_ = 0;
  std::thread thread_;
};

// What the worker thread reported, in order. Outlives the upload it listens
// to: the worker may still be inside the callback when a wait here ends.
class Reports {
 public:
  EncoderUpload::Progress Callback() {
    return [this](int percent) {
      {
        std::lock_guard lock(mutex_);
        values_.push_back(percent);
      }
      changed_.notify_all();
    };
  }
  std::vector<int> Values() {
    std::lock_guard lock(mutex_);
    return values_;
  }
  bool WaitFor(int percent) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [&] {
      return std::find(values_.begin(), values_.end(), percent) != values_.end();
    });
  }
  // The last report: kDone or kFailed, or nothing when the upload never ended.
  std::optional<int> WaitForEnd() {
    std::unique_lock lock(mutex_);
    const bool ended = changed_.wait_for(lock, kPatience, [&] {
      return !values_.empty() &&
             (values_.back() == EncoderUpload::kDone || values_.back() == EncoderUpload::kFailed);
    });
    return ended ? std::optional(values_.back()) : std::nullopt;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> values_;
};

std::string PackageOf(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + i / 251);
  return bytes;
}

uint32_t ValueOf(const Header& h) {
  return h[7] | h[8] << 8 | h[9] << 16 | static_cast<uint32_t>(h[10]) << 24;
}

uint16_t PortWithoutListener() {
  asio::io_context io;
  tcp::acceptor probe(io, {asio::ip::address_v4::loopback(), 0});
  return probe.local_endpoint().port();
}

class EncoderUploadTest : public ::testing::Test {
 protected:
  std::filesystem::path WritePackage(std::size_t size) {
    const std::filesystem::path path = dir.path() / "VP_venc.tar.gz";
    test::WriteBytes(path, PackageOf(size));
    return path;
  }

  test::TempDir dir;
};

TEST_F(EncoderUploadTest, TheEncodersVerdictDecidesAndIsConfirmedOrAborted) {
  Header wrongMark = Verdict(1);
  wrongMark[0] = 0xFE;
  Header wrongCommand = Verdict(1);
  wrongCommand[6] = 0x61;
  Header wrongZero = Verdict(1);
  wrongZero[2] = 0x01;
  std::string sixBad;
  for (const Header& h : {wrongMark, wrongCommand, wrongZero, wrongMark, wrongCommand, wrongZero})
    sixBad += Bytes(h);
  struct Case {
    const char* name;
    std::string answer;
    int result;
    const char* commands;  // what the encoder received
  };
  const Case cases[] = {
      {"taken", Bytes(Verdict(1)), EncoderUpload::kDone, "mob"},
      {"refused: the encoder decided, nothing to abort", Bytes(Verdict(0)), EncoderUpload::kFailed,
       "mo"},
      {"another result", Bytes(Verdict(2)), EncoderUpload::kFailed, "mo"},
      {"no answer", "", EncoderUpload::kFailed, "moa"},
      {"a short answer", Bytes(Verdict(1)).substr(0, 10), EncoderUpload::kFailed, "moa"},
      {"six malformed answers, then taken", sixBad + Bytes(Verdict(1)), EncoderUpload::kDone,
       "mob"},
      {"seven malformed answers, then taken", sixBad + Bytes(wrongMark) + Bytes(Verdict(1)),
       EncoderUpload::kFailed, "moa"},
  };
  const std::string package = PackageOf(5000);
  const std::filesystem::path path = WritePackage(package.size());
  for (const Case& c : cases) {
    FakeEncoder encoder(c.answer);
    Reports reports;
    {
      EncoderUpload::Options options = Quick();
      options.port = encoder.port();
      EncoderUpload upload(options);
      ASSERT_TRUE(upload.Start("127.0.0.1", path, reports.Callback())) << c.name;
      EXPECT_EQ(reports.WaitForEnd(), c.result) << c.name;
      EXPECT_FALSE(upload.running()) << c.name;
    }
    ASSERT_TRUE(encoder.WaitUntilClosed()) << c.name;
    EXPECT_EQ(encoder.Commands(), c.commands) << c.name;
    const std::vector<Header> headers = encoder.Headers();
    ASSERT_GE(headers.size(), 2u) << c.name;
    EXPECT_EQ(Bytes(headers[0]).substr(0, 6), std::string("\xFF\x01\0\0\0\0", 6)) << c.name;
    EXPECT_EQ(ValueOf(headers[0]), package.size()) << c.name;
    EXPECT_EQ(ValueOf(headers[1]), package.size()) << c.name;
    EXPECT_EQ(encoder.Package(), package) << c.name;
  }
}

TEST_F(EncoderUploadTest, ProgressFollowsThePiecesAndEndsInTheVerdict) {
  struct Case {
    std::size_t size;
    std::vector<int> reports;  // empty: checked by shape below
  };
  const Case cases[] = {
      {5000, {39, 80, 99, 100}},  // pieces of 2048, 2048 and 904 bytes
      {1000, {99, 100}},
      {0, {100}},
      // The first pieces are under 1 %: they report 0, not the failure value.
      {300000, {}},
  };
  for (const Case& c : cases) {
    FakeEncoder encoder(Bytes(Verdict(1)));
    Reports reports;
    EncoderUpload::Options options = Quick();
    options.port = encoder.port();
    EncoderUpload upload(options);
    ASSERT_TRUE(upload.Start("127.0.0.1", WritePackage(c.size), reports.Callback()));
    ASSERT_EQ(reports.WaitForEnd(), EncoderUpload::kDone) << c.size;
    const std::vector<int> values = reports.Values();
    if (!c.reports.empty()) {
      EXPECT_EQ(values, c.reports) << c.size;
      continue;
    }
    ASSERT_GE(values.size(), 3u);
    EXPECT_EQ(values.front(), 0);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(std::adjacent_find(values.begin(), values.end()), values.end()) << "repeated";
    EXPECT_EQ(values[values.size() - 2], 99);
  }
}

TEST_F(EncoderUploadTest, OneObjectRunsOneUploadAfterAnother) {
  FakeEncoder encoder(Bytes(Verdict(1)));
  const std::filesystem::path path = WritePackage(3000);
  Reports reports;
  Reports again;
  EncoderUpload::Options options = Quick();
  options.port = encoder.port();
  EncoderUpload upload(options);
  ASSERT_TRUE(upload.Start("127.0.0.1", path, reports.Callback()));
  ASSERT_EQ(reports.WaitForEnd(), EncoderUpload::kDone);
  ASSERT_TRUE(upload.Start("127.0.0.1", path, again.Callback()));
  EXPECT_EQ(again.WaitForEnd(), EncoderUpload::kDone);
  ASSERT_TRUE(encoder.WaitUntilClosed(2));
  EXPECT_EQ(encoder.Commands(), "mobmob");
}

TEST_F(EncoderUploadTest, FailuresBeforeTheFirstHeaderSendNothing) {
  const std::filesystem::path huge = dir.path() / "huge" / "VP_venc.tar.gz";
  std::filesystem::create_directories(huge.parent_path());
  test::WriteBytes(huge, "");
  // Sparse: one byte more than the start header can announce.
  std::filesystem::resize_file(huge, (uint64_t{1} << 32));
  struct Case {
    const char* name;
    std::string address;
    std::filesystem::path package;
    bool listening;
  };
  const Case cases[] = {
      {"no such package", "127.0.0.1", dir.path() / "missing.tar.gz", true},
      {"a folder for a package", "127.0.0.1", dir.path(), true},
      {"too large for the start header", "127.0.0.1", huge, true},
      {"nothing listens", "127.0.0.1", WritePackage(100), false},
      {"no address yet", "", WritePackage(100), false},
      {"not an address", "encoder.local", WritePackage(100), false},
  };
  for (const Case& c : cases) {
    std::optional<FakeEncoder> encoder;
    if (c.listening) encoder.emplace("");
    Reports reports;
    EncoderUpload::Options options = Quick();
    options.port = encoder ? encoder->port() : PortWithoutListener();
    EncoderUpload upload(options);
    ASSERT_TRUE(upload.Start(c.address, c.package, reports.Callback())) << c.name;
    ASSERT_EQ(reports.WaitForEnd(), EncoderUpload::kFailed) << c.name;
    EXPECT_EQ(reports.Values().size(), 1u) << c.name;
    if (encoder) {
      ASSERT_TRUE(encoder->WaitUntilClosed()) << c.name;
      EXPECT_EQ(encoder->Commands(), "") << c.name;
    }
  }
}

TEST_F(EncoderUploadTest, ASecondUploadIsRefusedWhileOneRuns) {
  FakeEncoder encoder(Bytes(Verdict(1)));
  Reports reports;
  Reports second;
  EncoderUpload::Options options = Quick();
  options.port = encoder.port();
  options.endPause = 1h;
  EncoderUpload upload(options);
  const std::filesystem::path path = WritePackage(5000);
  ASSERT_TRUE(upload.Start("127.0.0.1", path, reports.Callback()));
  ASSERT_TRUE(reports.WaitFor(99));

  EXPECT_FALSE(upload.Start("127.0.0.1", path, second.Callback()));
  EXPECT_TRUE(upload.running());
  EXPECT_TRUE(second.Values().empty());
}

// Destroying the object mid-upload ends each wait at once; a wait that ran
// its course would hold this test for an hour.
TEST_F(EncoderUploadTest, DestructionEndsTheUploadWhereverItWaits) {
  struct Case {
    const char* name;
    std::chrono::milliseconds EncoderUpload::Options::*wait;
    char reached;  // the last header sent before that wait
  };
  const Case cases[] = {
      {"pausing after the start header", &EncoderUpload::Options::startPause, 'm'},
      {"pausing before the end header", &EncoderUpload::Options::endPause, 'm'},
      {"waiting for the verdict", &EncoderUpload::Options::receiveTimeout, 'o'},
  };
  const std::filesystem::path path = WritePackage(5000);
  for (const Case& c : cases) {
    FakeEncoder encoder("");
    Reports reports;
    {
      EncoderUpload::Options options = Quick();
      options.port = encoder.port();
      options.*c.wait = 1h;
      EncoderUpload upload(options);
      ASSERT_TRUE(upload.Start("127.0.0.1", path, reports.Callback())) << c.name;
      ASSERT_TRUE(encoder.WaitForHeader(c.reached)) << c.name;
    }
    ASSERT_TRUE(encoder.WaitUntilClosed()) << c.name;
    const std::vector<int> values = reports.Values();
    EXPECT_TRUE(values.empty() || values.back() == 99) << c.name << ": no verdict is reported";
  }
}

}  // namespace
}  // namespace qv
