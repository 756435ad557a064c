// The encoder package upload, from the class and from the video settings
// page, against the qvsim program's package receiver.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <asio.hpp>
#include <condition_variable>
#include <fstream>
#include <mutex>

#include "SimProcess.h"
#include "link/CommandEncoder.h"
#include "pages/video/ZVideoSettingDlg.h"
#include "support/FileBytes.h"
#include "support/PageHarness.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"
#include "video/EncoderUpload.h"
#include "widgets/ControlId.h"
#include "widgets/LanguageTexts.h"

namespace qv {
namespace {

constexpr std::size_t kPackageSize = 100000;

// qvsim's package port cannot be left to the system (0 turns the receiver
// off): one the system just handed out is free for a moment.
uint16_t FreePort() {
  asio::io_context io;
  asio::ip::tcp::acceptor probe(io, {asio::ip::address_v4::loopback(), 0});
  return probe.local_endpoint().port();
}

class EncoderUploadSimTest : public ::testing::Test {
 protected:
  bool StartSim(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--listen",       "127.0.0.1",
                                     "--port",         "0",
                                     "--no-discovery", "--no-preview",
                                     "--package-port", std::to_string(packagePort),
                                     "--trace",        (dir.path() / "trace.jsonl").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    sim.reset();  // the package port is free only once the last one has gone
    sim = std::make_unique<e2e::SimProcess>(args);
    return sim->running();
  }

  // The simulator traces each package it took whole before it answers.
  bool SimTookPackage() {
    std::ifstream in(dir.path() / "trace.jsonl");
    const std::string wanted =
        R"({"dir":"rx","type":"package","len":)" + std::to_string(kPackageSize) + "}";
    for (std::string line; std::getline(in, line);) {
      if (line == wanted) return true;
    }
    return false;
  }

  std::filesystem::path WritePackage() {
    std::string bytes(kPackageSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 253);
    const std::filesystem::path path = dir.path() / "VP_venc.tar.gz";
    test::WriteBytes(path, bytes);
    return path;
  }

  test::TempDir dir;
  const uint16_t packagePort = FreePort();
  std::unique_ptr<e2e::SimProcess> sim;
};

TEST_F(EncoderUploadSimTest, TheSimulatorsVerdictEndsTheUpload) {
  struct Case {
    const char* name;
    std::vector<std::string> simArgs;
    int result;
    bool taken;
  };
  const Case cases[] = {
      {"taken", {}, EncoderUpload::kDone, true},
      {"refused", {"--fail-package"}, EncoderUpload::kFailed, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(StartSim(c.simArgs)) << c.name;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> reports;
    EncoderUpload::Options options;
    options.port = packagePort;
    EncoderUpload upload(options);
    ASSERT_TRUE(upload.Start("127.0.0.1", WritePackage(), [&](int percent) {
      std::lock_guard lock(mutex);
      reports.push_back(percent);
      changed.notify_all();
    }));
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(20), [&] {
      return !reports.empty() &&
             (reports.back() == EncoderUpload::kDone || reports.back() == EncoderUpload::kFailed);
    })) << c.name;
    EXPECT_EQ(reports.back(), c.result) << c.name;
    ASSERT_GE(reports.size(), 2u) << c.name;
    EXPECT_EQ(reports[reports.size() - 2], 99) << c.name << ": the whole package went out";
    EXPECT_EQ(SimTookPackage(), c.taken) << c.name;
  }
}

TEST_F(EncoderUploadSimTest, ThePageUploadsToTheEncoderTheStatusNamed) {
  ASSERT_TRUE(StartSim());
  test::PageHarness harness;
  EncoderUpload::Options options;
  options.port = packagePort;
  ZVideoSettingDlg page(harness.context, nullptr, options);
  page.OnEncoderStatus({0, 0, 0, 0, 0, 127, 0, 0, 1});
  page.ChoosePackage(QString::fromStdString(WritePackage().string()));

  page.Update();
  QLabel* status = nullptr;
  for (QLabel* label : page.findChildren<QLabel*>()) {
    if (ControlId(*label) == 1570) status = label;
  }
  ASSERT_NE(status, nullptr);
  QElapsedTimer t;
  t.start();
  const QString success = "Success, Pls Restart the Machine";
  while (status->text() != success && t.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_EQ(status->text(), success);
  EXPECT_TRUE(SimTookPackage());
}

}  // namespace
}  // namespace qv
